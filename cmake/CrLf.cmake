# Ends every line of FILE with CR LF, as Windows' own readers of text expect (halibut ends only
# the first line of a WinHelp contents file so).
cmake_minimum_required(VERSION 3.20)
file(READ ${FILE} text)
string(REPLACE "\r\n" "\n" text "${text}")
string(REPLACE "\n" "\r\n" text "${text}")
file(WRITE ${FILE} "${text}")
