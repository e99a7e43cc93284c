# The instruction audit: what ships is Pentium code. Disassembles with the cross binutils; the
# routines allowed newer instructions (picked at run time by CPUID) are listed in tests/cpu/.
set(INSTRUCTION_AUDIT ${CMAKE_SOURCE_DIR}/tests/cpu/audit-instructions.sh)
add_test(NAME cpu.ShippedBinariesArePentiumCode COMMAND bash ${INSTRUCTION_AUDIT} ${SHIPPED_BINARIES})

# The audit itself refuses a build for the Pentium Pro, and each kind of instruction it looks for.
add_executable(PentiumProBuild tests/cpu/PentiumProBuild.cpp)
target_compile_options(PentiumProBuild PRIVATE -march=pentiumpro -O2)
target_link_options(PentiumProBuild PRIVATE ${STATIC_RUNTIME})
set(REFUSED "PentiumProBuild.exe: Newer:")
add_test(NAME cpu.AuditRefusesAPentiumProBuild COMMAND bash ${INSTRUCTION_AUDIT}
    --expect "PentiumProBuild.exe: Larger: cmovl" --expect "${REFUSED} cmovne" --expect "${REFUSED} cmovae"
    --expect "${REFUSED} fcmovnbe" --expect "${REFUSED} fcomi" --expect "${REFUSED} fcomip"
    --expect "${REFUSED} fucomi" --expect "${REFUSED} fucomip" --expect "${REFUSED} movd"
    --expect "${REFUSED} emms" --expect "${REFUSED} pxor" --expect "${REFUSED} ldmxcsr" --expect "${REFUSED} fxsave"
    --expect "PentiumProBuild.exe: Like_jsimd_idct_mmx: emms" --expect "PentiumProBuild.exe: jsimd_idct_mmx_like: emms"
    $<TARGET_FILE:PentiumProBuild>)
