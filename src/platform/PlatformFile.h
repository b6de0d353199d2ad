// Files through the operating system's own file API: reading, what the settings reader needs, and
// writing, renaming, deleting and listing, what the recorder needs to save a recording. One
// implementation per platform (PlatformFileWin32.cpp, PlatformFilePosix.cpp), picked by the build.
//
// No buffering and no heap use of its own, so that a tick reads the settings file without
// allocating. Each function is safe from any thread; a PlatformFile belongs to one.
#pragma once

#include <cstddef>
#include <cstdint>

namespace scuffler {

// An open file, or none (kNoFile). A Win32 HANDLE or a POSIX descriptor, as a number.
struct PlatformFile {
  std::intptr_t handle;
};

inline constexpr PlatformFile kNoFile{-1};

inline bool IsOpen(PlatformFile file) { return file.handle != kNoFile.handle; }

// Opens the existing file `fileName` (passed to the system unchanged, so a relative name is
// resolved against the current directory) for reading its bytes untranslated. Others keep
// every access: the player's editor may read, write, rename or delete the file while it is
// open. kNoFile when it does not open; on Windows a directory does not.
PlatformFile OpenForReading(const char* fileName);

// The file's size in bytes; false when the system cannot tell (a pipe, or a file whose size
// is not known in advance).
bool QueryFileSize(PlatformFile file, std::uint64_t& size);

// Reads up to `count` bytes from byte `offset` into `buffer`; `got` is how many arrived, fewer
// than `count` only at the end of the file. False on a read error, which is what reading a
// directory gives where it opens at all.
bool ReadFileAt(PlatformFile file, std::uint64_t offset, char* buffer, std::size_t count,
                std::size_t& got);

// Closes `file` if it is open and leaves it kNoFile; false when the system reported an error at
// the close (for a written file, bytes that may not have reached the disk).
bool CloseFile(PlatformFile& file);

// Creates `fileName` for writing, emptying it when it exists; kNoFile when that fails.
PlatformFile CreateForWriting(const char* fileName);

// Writes all `count` bytes at the file's end; false on any error (a full disk).
bool WriteAll(PlatformFile file, const void* bytes, std::size_t count);

// Renames `from` to `to`, replacing a file named `to`; false when it fails.
bool ReplaceFileWith(const char* from, const char* to);

// Deletes `fileName`; false when it fails or there is no such file.
bool RemoveFileNamed(const char* fileName);

// Calls `each` with the name of every entry of the current directory, with `context`; false when
// the directory cannot be listed.
bool ListCurrentFolder(void (*each)(const char* name, void* context), void* context);

}  // namespace scuffler
