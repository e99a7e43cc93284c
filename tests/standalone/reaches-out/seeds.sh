# Fixture of the path check: the first line stays inside, the second climbs above the root.
data="$root/tests/pictures"
corpus="$root/../corpus"
