# The BMP reader and its host tests.
list(APPEND PORTABLE_SOURCES pictures/BmpReader.cpp)
list(APPEND HOST_TEST_SOURCES tests/pictures/BmpReaderTest.cpp)

# The tests read the BMP conformance corpus from the shared folder beside the repository, and the
# expected pixels made by tests/pictures/data/make-bmp-expectations.sh.
set_source_files_properties(${CMAKE_SOURCE_DIR}/tests/pictures/BmpReaderTest.cpp PROPERTIES COMPILE_DEFINITIONS
    "BMPSUITE_DIR=\"${CMAKE_SOURCE_DIR}/../shared/testdata/bmpsuite\";BMP_TEST_DATA=\"${CMAKE_SOURCE_DIR}/tests/pictures/data\""
)
