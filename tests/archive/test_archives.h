// Archives made at test time: ZIP through libarchive's writer, and small
// writers of our own for TAR (plain or gzip), stored LZH (-lh0-), stored
// RAR and uncompressed CAB.
#pragma once
#include <string>
#include <vector>

struct TestMember {
    std::string name; // Shift-JIS, '/' between folders ('\' for LZH/CAB as stored)
    std::string data;
    bool folder = false;
};

enum class TestFormat { Zip, Tar, TarGz, Lzh, Cab, Rar };

// Writes the archive; false on failure.
bool WriteTestArchive(TestFormat format, const std::string& path,
                      const std::vector<TestMember>& members);

// One file compressed with gzip (no archive inside).
bool WriteGzipFile(const std::string& path, const std::string& data);

// Helpers for the Win32 tests.
std::string BinFolder();                            // QM_BIN_DIR as a Windows path, with '\'
std::string MakeTempFolder(const std::string& tag); // fresh, with '\'
void RemoveTree(const std::string& folder);
bool ReadWholeFile(const std::string& path, std::string& data);
bool WriteWholeFile(const std::string& path, const std::string& data);
bool PathExists(const std::string& path);
