# Fixture of the path check: each line below reads outside the checkout.
set(CORPUS_DIR ${CMAKE_SOURCE_DIR}/../shared/testdata/bmpsuite)
set(SEEDS /home/someone/testdata)
