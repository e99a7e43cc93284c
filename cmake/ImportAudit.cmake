# The import audit: what ships loads on Windows 98 SE. Runs on the build machine with the
# cross binutils; the allow-lists lie beside the script in tests/imports/.
set(IMPORT_AUDIT ${CMAKE_SOURCE_DIR}/tests/imports/audit-imports.sh)
set(SHIPPED_BINARIES $<TARGET_FILE:QZSelect> $<TARGET_FILE:NViewLib> $<TARGET_FILE:QZRandom>)
add_test(NAME imports.ShippedBinariesLoadOnWindows98 COMMAND bash ${IMPORT_AUDIT} ${SHIPPED_BINARIES})
# Each program's manifest declares that it knows the display scale; the library has none.
set(MANIFEST_AUDIT ${CMAKE_SOURCE_DIR}/tests/manifest/audit-manifest.sh)
add_test(NAME manifest.EachProgramIsAwareOfTheDisplayScale COMMAND bash ${MANIFEST_AUDIT} $<TARGET_FILE:QZSelect>
    $<TARGET_FILE:QZRandom>)
add_test(NAME manifest.AuditRefusesABinaryWithoutOne COMMAND bash ${MANIFEST_AUDIT}
    --expect "NViewLib.dll: 0 manifests, must be 1" $<TARGET_FILE:NViewLib>)
# The program's manifest with its dpiAware setting in the namespace of the newer setting, which
# Windows then ignores: the audit must refuse it.
file(READ ${CMAKE_SOURCE_DIR}/shell/res/QZSelect.manifest MANIFEST_TEXT)
string(REPLACE "SMI/2005/WindowsSettings" "SMI/2016/WindowsSettings" MANIFEST_TEXT "${MANIFEST_TEXT}")
file(WRITE ${CMAKE_BINARY_DIR}/generated/WrongNamespace.manifest "${MANIFEST_TEXT}")
file(WRITE ${CMAKE_BINARY_DIR}/generated/WrongNamespace.rc "1 24 \"WrongNamespace.manifest\"\n")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/shell/res/QZSelect.manifest)
add_executable(WrongNamespace WIN32 tests/bench/EmptyProgram.cpp ${CMAKE_BINARY_DIR}/generated/WrongNamespace.rc)
target_link_options(WrongNamespace PRIVATE ${STATIC_RUNTIME})
add_test(NAME manifest.AuditRefusesASettingInAnotherNamespace COMMAND bash ${MANIFEST_AUDIT} --expect
    "WrongNamespace.exe: the manifest lacks <dpiAware>true</dpiAware> in the namespace http://schemas.microsoft.com/SMI/2005/WindowsSettings"
    $<TARGET_FILE:WrongNamespace>)

# The audit itself refuses a binary that imports a function Windows 98 lacks and one that asks
# for a newer subsystem.
add_executable(ForbiddenImport tests/imports/ForbiddenImport.cpp ${RUNTIME_9X_OBJECTS})
target_link_options(ForbiddenImport PRIVATE ${STATIC_RUNTIME} -Wl,--subsystem,console:5.1)
add_test(NAME imports.AuditRefusesAVistaImport COMMAND bash ${IMPORT_AUDIT}
    --expect "ForbiddenImport.exe: KERNEL32.dll GetTickCount64: not on the allow-list" $<TARGET_FILE:ForbiddenImport>)
add_test(NAME imports.AuditRefusesANewerSubsystem COMMAND bash ${IMPORT_AUDIT}
    --expect "ForbiddenImport.exe: MajorSubsystemVersion is 5, must be 4" $<TARGET_FILE:ForbiddenImport>)
