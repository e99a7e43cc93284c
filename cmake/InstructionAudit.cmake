# The instruction audit: what ships is Pentium code. Disassembles with the cross binutils; the
# routines allowed newer instructions (picked at run time by CPUID) are listed in tests/cpu/.
set(INSTRUCTION_AUDIT ${CMAKE_SOURCE_DIR}/tests/cpu/audit-instructions.sh)
add_test(NAME cpu.ShippedBinariesArePentiumCode COMMAND bash ${INSTRUCTION_AUDIT} ${SHIPPED_BINARIES})

# The audit itself refuses a build for the Pentium Pro.
add_executable(PentiumProBuild tests/cpu/PentiumProBuild.cpp)
target_compile_options(PentiumProBuild PRIVATE -march=pentiumpro -O2)
target_link_options(PentiumProBuild PRIVATE ${STATIC_RUNTIME})
add_test(NAME cpu.AuditRefusesAPentiumProBuild COMMAND bash ${INSTRUCTION_AUDIT}
    --expect "PentiumProBuild.exe: Larger: cmovl" $<TARGET_FILE:PentiumProBuild>)
