// Member records, time conversion, format rules and the option switch strings.
#include <gtest/gtest.h>

#include <cstring>

#include "archive/archive_control.h"
#include "archive/archive_format.h"
#include "archive/archive_strings.h"
#include "archive/dos_time.h"
#include "archive/individual_info.h"
#include "fake_archiver.h"

TEST(IndividualInfoTest, FieldsAreReadAtTheirFixedOffsets) {
    IndividualInfo info;
    unsigned char* b = info.bytes;
    const unsigned char raw[] = {0x78, 0x56, 0x34, 0x12, 0x21, 0x43, 0x65, 0x07};
    std::memcpy(b, raw, sizeof raw);
    b[20] = 0xE8;
    b[21] = 0x03; // 1000 per mille
    b[22] = 0x21;
    b[23] = 0x2A; // date
    b[24] = 0x43;
    b[25] = 0x65; // time
    std::strcpy(reinterpret_cast<char*>(b + 26), "dir/sub/file.txt");
    std::memcpy(b + 542, "A-HR", 4);
    std::memcpy(b + 550, "-lh5-", 5);
    EXPECT_EQ(0x12345678u, info.UnpackedSize());
    EXPECT_EQ(0x07654321u, info.CompressedSize());
    EXPECT_EQ(1000u, info.Ratio());
    EXPECT_EQ(0x2A21u, info.DosDate());
    EXPECT_EQ(0x6543u, info.DosTime());
    EXPECT_EQ("dir/sub/file.txt", info.MemberPath());
    EXPECT_EQ("-lh5-", info.Method());
    EXPECT_EQ(kAttrArchive | kAttrHidden | kAttrReadOnly, info.AttributesFromText());
    std::memcpy(b + 542, "xSxx", 4);
    EXPECT_EQ(kAttrSystem, info.AttributesFromText());
}

TEST(IndividualInfoTest, LongPathsStopAtTheFieldWithoutSplittingACharacter) {
    IndividualInfo info;
    std::memset(info.bytes, 'Z', sizeof info.bytes);
    std::string path(511, 'a');
    path += "表"; // lead byte at 511 would need byte 512, the terminator's place
    info.SetMemberPath(path);
    EXPECT_EQ(std::string(511, 'a'), info.MemberPath());
    EXPECT_EQ('Z', static_cast<char>(info.bytes[IndividualInfo::kAttribute]));
    // Unterminated field: reading stops at the field's end.
    std::memset(info.bytes + IndividualInfo::kFileName, 'b', kInfoPathCapacity);
    EXPECT_EQ(std::string(kInfoPathCapacity, 'b'), info.MemberPath());
}

TEST(DosTimeTest, ConvertsLikeThePlatform) {
    // 2001-02-03 04:05:06
    const std::uint16_t date = (21 << 9) | (2 << 5) | 3;
    const std::uint16_t time = (4 << 11) | (5 << 5) | 3;
    EXPECT_EQ(126256467060000000ull, DosDateTimeToFileTime(date, time));
    // 2000-01-01 00:00:00 is day 36526 of the calendar date-time.
    EXPECT_DOUBLE_EQ(36526.0,
                     FileTimeToDateTime(DosDateTimeToFileTime((20 << 9) | (1 << 5) | 1, 0)));
    EXPECT_EQ(0u, DosDateTimeToFileTime(0, 0));                         // month 0
    EXPECT_EQ(0u, DosDateTimeToFileTime((21 << 9) | (2 << 5) | 29, 0)); // 2001-02-29
    EXPECT_NE(0u, DosDateTimeToFileTime((20 << 9) | (2 << 5) | 29, 0)); // 2000-02-29
    std::uint16_t d = 0, t = 0;
    FileTimeToDosDateTime(DosDateTimeToFileTime(date, time), &d, &t);
    EXPECT_EQ(date, d);
    EXPECT_EQ(time, t);
}

TEST(ArchiveFormatTest, ExtensionDecidesTheFormat) {
    EXPECT_EQ(atLha, ArchiveTypeByName("C:\\a\\x.lzh"));
    EXPECT_EQ(atCab, ArchiveTypeByName("x.Cab"));
    for (const char* n :
         {"a.tar", "a.TAZ", "a.gz", "a.z", "a.tgz", "a.bz2", "a.tbz", "a.TXZ", "a.tar.xz"})
        EXPECT_EQ(atTar, ArchiveTypeByName(n)) << n;
    EXPECT_EQ(atSevenZip, ArchiveTypeByName("a.7z"));
    EXPECT_EQ(atSevenZip, ArchiveTypeByName("C:\\\x95\x5c\\a.7Z"));
    EXPECT_EQ(atNone, ArchiveTypeByName("a.7zip"));
    // The new type comes last: ordinals index tables and the support set.
    EXPECT_EQ(7, static_cast<int>(atSevenZip));
    EXPECT_EQ(atSevenZip, kSfxProbeOrder[6]);
    EXPECT_STREQ("7-zip32.dll", ArchiverLibraryFileName(ReaderLibrary(atSevenZip)));
    EXPECT_STREQ("SevenZip", ArchiverLibraryPrefix(alSevenZip));
    EXPECT_TRUE(kAllSupportArchives.Contains(atSevenZip));
    EXPECT_FALSE(IsCreatableType(atSevenZip));
    EXPECT_EQ(atArj, ArchiveTypeByName("a.arj"));
    EXPECT_EQ(atRar, ArchiveTypeByName("a.RAR"));
    EXPECT_EQ(atZip, ArchiveTypeByName("a.zip"));
    EXPECT_EQ(atNone, ArchiveTypeByName("a.exe"));
    EXPECT_EQ(atNone, ArchiveTypeByName("zip"));
    EXPECT_EQ(atNone, ArchiveTypeByName("C:\\a.zip\\readme"));
}

TEST(ArchiveFormatTest, NewTarArchivesTakeTheExtensionOfTheirCompression) {
    EXPECT_EQ("b.tar", ForceTarExtension("b.tgz", ctTar));
    EXPECT_EQ("b.TAR", ForceTarExtension("b.TAR", ctTar));
    EXPECT_EQ("b.tgz", ForceTarExtension("b.tar", ctGZip));
    for (const char* keep : {"b.TGZ", "b.taz", "b.gz", "b.Z"})
        EXPECT_EQ(keep, ForceTarExtension(keep, ctGZip));
    EXPECT_EQ("b.bz2", ForceTarExtension("b.tar", ctBZip2));
    EXPECT_EQ("b.BZ2", ForceTarExtension("b.BZ2", ctBZip2));
    EXPECT_EQ("b.tbz", ForceTarExtension("b.tbz", ctBZip2));
}

class OptionsTest : public ::testing::Test {
protected:
    FakeArchiverApi api;
    FakeHost host;
    TArchiveControl ac{api, host};

    std::string Switches(const TArchiveOptions& o) {
        std::string s;
        EXPECT_TRUE(o.BuildCommand(aoExtract, s));
        return s;
    }
    // The settings the main window gives its archive control.
    void MainWindowSettings() {
        ac.SilentMode = true;
        ac.LhaOptions.ExtractOptions = {eoOverWrite, eoIncludeHidden};
        ac.CabOptions.ExtractOptions = {eoOverWrite};
        ac.TarOptions.ExtractOptions = {};
        ac.ArjOptions.ExtractOptions = {eoOverWrite, eoIncludeHidden};
        ac.RarOptions.ExtractOptions = {eoOverWrite};
        ac.ZipOptions.ExtractOptions = {eoOverWrite};
        ac.SevenZipOptions.ExtractOptions = {eoOverWrite};
    }
};

TEST_F(OptionsTest, MainWindowSettingsGiveTheDocumentedSwitches) {
    MainWindowSettings();
    EXPECT_EQ("e -+ -jf0 -jyc -c1 -jyo -a1 -l1 -n -gp0 ", Switches(ac.LhaOptions));
    EXPECT_EQ("-x -j -o -i ", Switches(ac.CabOptions));
    EXPECT_EQ("--use-directory=0 --display-dialog=0 -q -x -f ", Switches(ac.TarOptions));
    EXPECT_EQ("x -+ -jyc -hj -i ", Switches(ac.ArjOptions));
    EXPECT_EQ("-e -o ", Switches(ac.RarOptions));
    EXPECT_EQ("-x -C -j -o --i ", Switches(ac.ZipOptions));
    EXPECT_EQ("e -aoa -hide -y ", Switches(ac.SevenZipOptions));
}

TEST_F(OptionsTest, DefaultsAndFlagsChangeTheSwitches) {
    EXPECT_EQ("e -+ -jf0 -jyc -x1 -a1 -l1 -gp0 ", Switches(ac.LhaOptions));
    EXPECT_EQ("-x -n ", Switches(ac.CabOptions));
    EXPECT_EQ("--use-directory=1 -x -f ", Switches(ac.TarOptions));
    EXPECT_EQ("x -+ -jyc -u ", Switches(ac.ArjOptions));
    EXPECT_EQ("-x -u ", Switches(ac.RarOptions));
    EXPECT_EQ("-x -C -n ", Switches(ac.ZipOptions));
    EXPECT_EQ("x -aos ", Switches(ac.SevenZipOptions));

    ac.CheckAllPath = true;
    ac.LhaOptions.IgnoreBrokenHeader = true;
    ac.CabOptions.MultiVolume = true;
    ac.ArjOptions.ExtractOptions = {};
    ac.SilentMode = true;
    EXPECT_EQ("e -+ -jf0 -jyc -x1 -a1 -p -l1 -jc1 -n -gp0 ", Switches(ac.LhaOptions));
    EXPECT_EQ("-x -n -k -i ", Switches(ac.CabOptions));
    EXPECT_EQ("--use-directory=1 --display-dialog=0 --check-all-path=1 -x -f ",
              Switches(ac.TarOptions));
    EXPECT_EQ("x -+ -jyc -hj -u -a -i -p ", Switches(ac.ArjOptions));
    EXPECT_EQ("x -aos -hide -y ", Switches(ac.SevenZipOptions));
}

TEST_F(OptionsTest, SevenZipMakesArchivesWithItsOwnSwitches) {
    std::string s;
    ASSERT_TRUE(ac.SevenZipOptions.BuildCommand(aoCompress, s));
    EXPECT_EQ("a -t7z -mx=5 -r ", s);
    ac.SevenZipOptions.CompressLevel = 12;
    ac.SevenZipOptions.CompressOptions = {coOverWrite};
    ac.SilentMode = true;
    ASSERT_TRUE(ac.SevenZipOptions.BuildCommand(aoCompress, s));
    EXPECT_EQ("a -t7z -mx=9 -aoa -hide -y ", s);
    TSevenZipOptions copy(&ac);
    copy.Assign(ac.SevenZipOptions);
    EXPECT_EQ(12, copy.CompressLevel);
    EXPECT_TRUE(copy.CompressOptions == TCompressOptions{coOverWrite});
    EXPECT_THROW(copy.Assign(ac.ZipOptions), std::logic_error);
    // Not a format the control makes: a new ".7z" name is refused.
    std::vector<std::string> refused;
    ac.OnInvalid = [&](TArchiveControl&, const std::string& n) { refused.push_back(n); };
    ac.SetFileName("C:\\new.7z");
    EXPECT_EQ(std::vector<std::string>{"C:\\new.7z"}, refused);
}

TEST_F(OptionsTest, OwnerIsRequiredAndAssignKeepsToItsClass) {
    EXPECT_THROW(TZipOptions(nullptr), std::logic_error);
    TZipOptions other(&ac);
    other.ExtractOptions = {eoOverWrite};
    other.CompressLevel = 9;
    ac.ZipOptions.Assign(other);
    EXPECT_EQ(9, ac.ZipOptions.CompressLevel);
    EXPECT_TRUE(ac.ZipOptions.ExtractOptions == TExtractOptions{eoOverWrite});
    EXPECT_THROW(ac.LhaOptions.Assign(other), std::logic_error);
    std::string s;
    EXPECT_FALSE(ac.ZipOptions.BuildCommand(aoCompress, s));
}

TEST_F(OptionsTest, LongMemberListsGoThroughTheResponseFile) {
    MainWindowSettings();
    TArchiveStrings zip(&ac.ZipOptions, "");
    zip.SetDestFolder("C:\\W");
    for (int i = 0; i < 240; ++i)
        zip.Add("f" + std::to_string(i));
    std::string cmd, text;
    ASSERT_TRUE(zip.CommandLine(aoExtract, "C:\\a.zip", "C:\\App\\Response.txt", cmd, text));
    EXPECT_EQ(0u, cmd.find("-x -C -j -o --i \"C:\\a.zip\" \"C:\\W\\\" f0 f1 "));
    EXPECT_EQ(cmd.size() - 6, cmd.find(" f239 "));
    EXPECT_TRUE(text.empty());

    zip.Add("f240");
    ASSERT_TRUE(zip.CommandLine(aoExtract, "C:\\a.zip", "C:\\App\\Response.txt", cmd, text));
    EXPECT_EQ("-x -C -j -o --i \"C:\\a.zip\" \"C:\\W\\\" \"@C:\\App\\Response.txt\" ", cmd);
    EXPECT_EQ(0u, text.find("f0\r\nf1\r\n"));
    EXPECT_EQ(text.size() - 6, text.find("f240\r\n"));

    TArchiveStrings arj(&ac.ArjOptions, "");
    for (int i = 0; i < 241; ++i)
        arj.Add("g");
    ASSERT_TRUE(arj.CommandLine(aoExtract, "a.arj", "R.txt", cmd, text));
    EXPECT_NE(std::string::npos, cmd.find(" \"!R.txt\" "));
}

TEST_F(OptionsTest, NamesWithBlanksStayOneName) {
    TArchiveStrings lha(&ac.LhaOptions, "");
    lha.SetDestFolder("D:\\");
    lha.Add("my file.txt");
    lha.Add("表示.txt");
    std::string cmd, text;
    ASSERT_TRUE(lha.CommandLine(aoExtract, "x.lzh", "R", cmd, text));
    EXPECT_EQ("e -+ -jf0 -jyc -x1 -a1 -l1 -gp0 \"x.lzh\" \"D:\\\" \"my file.txt\" 表示.txt ", cmd);
    EXPECT_THROW(TArchiveStrings(nullptr, ""), std::logic_error);
}
