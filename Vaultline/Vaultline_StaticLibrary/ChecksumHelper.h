// Size, MD5 and SHA-1 of a local file.
#pragma once

// folder "\" fileName is read through read-only views of a mapping of the whole file;
// both digests run over the same mapped bytes. md5 takes 32 lower-case hexadecimal
// digits and a terminator (33 bytes), sha1 40 and a terminator (41 bytes). size is
// written once the file's size is known. 0 when all were computed; 1 when the file
// cannot be opened, mapped (a file of 0 bytes cannot) or viewed, or is 4 GiB or larger.
int CalcFileChecksum(const char* folder, const char* fileName, char* md5, char* sha1, unsigned long& size);
