# Copies a text file with every line ending written as CR LF, whatever it had (LF, CR LF or a
# mix): what players get opens as lines in every Windows editor, Notepad of old included.
#
# cmake -D IN=<file> -D OUT=<file> -P CrlfCopy.cmake
file(READ ${IN} text)
string(REPLACE "\r\n" "\n" text "${text}")
string(REPLACE "\n" "\r\n" text "${text}")
file(WRITE ${OUT} "${text}")
