// Pieces of the stand-in libraries: member-name safety, pattern matching
// and the command lines they accept.
#include <gtest/gtest.h>

#include "command_line.h"
#include "member_path.h"

TEST(MemberPathTest, NamesThatLeaveTheDestinationAreUnsafe) {
    for (const char* bad :
         {"../evil.txt", "a/../../b", "..\\x", "/abs", "\\abs", "C:\\x", "C:x", "a/b:stream", "...",
          "a/. ./b", "", "/", "nul", "dir/CON.txt", "com1", "a\tb"})
        EXPECT_FALSE(IsSafeMemberPath(bad)) << bad;
    for (const char* good : {"a.txt", "dir/sub/a.txt", "dir\\a.txt", "..a", "a..", "表.txt",
                             "表\\示.txt", "./a.txt", "console.txt", "com10"})
        EXPECT_TRUE(IsSafeMemberPath(good)) << good;
}

TEST(MemberPathTest, TrailByteIsNoSeparator) {
    EXPECT_EQ((std::vector<std::string>{"表.txt"}), SplitMemberPath("表.txt"));
    EXPECT_EQ((std::vector<std::string>{"表", "示.txt"}), SplitMemberPath("表\\示.txt"));
    EXPECT_EQ("表.txt", MemberOutputPath("dir/表.txt", true));
    EXPECT_EQ("dir\\sub\\表.txt", MemberOutputPath("dir/sub//表.txt", false));
    EXPECT_EQ("", MemberOutputPath("../表.txt", true));
}

TEST(MemberPathTest, PatternsMatchWholeCharacters) {
    EXPECT_TRUE(MatchMemberPattern("*.*", "anything"));
    EXPECT_TRUE(MatchMemberPattern("DIR\\A.TXT", "dir/a.txt"));
    EXPECT_TRUE(MatchMemberPattern("dir/*.txt", "DIR/x.TXT"));
    EXPECT_TRUE(MatchMemberPattern("?.txt", "表.txt")); // one character, two bytes
    EXPECT_FALSE(MatchMemberPattern("??.txt", "表.txt"));
    EXPECT_FALSE(MatchMemberPattern("a.txt", "dir/a.txt"));
    EXPECT_FALSE(MatchMemberPattern("表", "表x"));
}

TEST(CommandLineTest, QuotesGroupAndBackslashesStayLiteral) {
    auto t = TokenizeCommandLine("-x  \"C:\\a b.zip\" \"C:\\W\\\" n1 \"my file\" ");
    ASSERT_EQ(5u, t.size());
    EXPECT_EQ("C:\\a b.zip", t[1].text);
    EXPECT_EQ("C:\\W\\", t[2].text);
    EXPECT_TRUE(t[2].quoted);
    EXPECT_EQ("my file", t[4].text);
}

TEST(CommandLineTest, TheProgramsExtractionLinesParse) {
    ExtractRequest r;
    ASSERT_TRUE(ParseExtractCommand(
        CommandDialect::Lha,
        "e -+ -jf0 -jyc -c1 -jyo -a1 -l1 -n -gp0 \"C:\\a.lzh\" \"C:\\W\\\" d\\x.txt ", r));
    EXPECT_EQ("C:\\a.lzh", r.archive);
    EXPECT_EQ("C:\\W\\", r.dest_folder);
    EXPECT_EQ(std::vector<std::string>{"d\\x.txt"}, r.names);
    EXPECT_TRUE(r.junk_paths);
    EXPECT_TRUE(r.overwrite);

    ASSERT_TRUE(ParseExtractCommand(CommandDialect::Lha, "e -x1 \"a.lzh\" \"W\\\" ", r));
    EXPECT_FALSE(r.junk_paths);
    EXPECT_FALSE(r.overwrite);

    ASSERT_TRUE(ParseExtractCommand(
        CommandDialect::Tar,
        "--use-directory=0 --display-dialog=0 -q -x -f \"C:\\a.tgz\" \"C:\\W\\\" \"@C:\\R.txt\" ",
        r));
    EXPECT_EQ("C:\\a.tgz", r.archive);
    EXPECT_EQ("C:\\R.txt", r.response_file);
    EXPECT_TRUE(r.junk_paths);
    EXPECT_TRUE(r.names.empty());

    ASSERT_TRUE(
        ParseExtractCommand(CommandDialect::Zip, "-x -C -j -o --i \"a.zip\" \"W\\\" -n.txt ", r));
    EXPECT_EQ(std::vector<std::string>{"-n.txt"}, r.names); // after the archive: a name
    EXPECT_TRUE(r.overwrite);
    ASSERT_TRUE(ParseExtractCommand(CommandDialect::Cab, "-x -n \"a.cab\" \"W\\\" ", r));
    EXPECT_FALSE(r.overwrite);
    EXPECT_FALSE(r.junk_paths);
    ASSERT_TRUE(ParseExtractCommand(CommandDialect::Rar, "-e -u \"a.rar\" \"W\\\" ", r));
    EXPECT_TRUE(r.junk_paths);
    EXPECT_FALSE(r.overwrite);

    // 7-Zip's verbs and switches, as the 7z options write them.
    ASSERT_TRUE(ParseExtractCommand(CommandDialect::SevenZip,
                                    "e -aoa -hide -y \"a.7z\" \"W\\\" d/x.txt ", r));
    EXPECT_EQ("a.7z", r.archive);
    EXPECT_EQ(std::vector<std::string>{"d/x.txt"}, r.names);
    EXPECT_TRUE(r.junk_paths);
    EXPECT_TRUE(r.overwrite);
    ASSERT_TRUE(ParseExtractCommand(CommandDialect::SevenZip, "x -aos \"a.7z\" \"W\\\" ", r));
    EXPECT_FALSE(r.junk_paths);
    EXPECT_FALSE(r.overwrite);
    EXPECT_FALSE(ParseExtractCommand(CommandDialect::SevenZip, "-x -C -j -o \"a.7z\" ", r));
    EXPECT_FALSE(ParseExtractCommand(CommandDialect::SevenZip, "a -t7z -mx=5 new.7z f", r));

    EXPECT_FALSE(ParseExtractCommand(CommandDialect::Lha, "a new.lzh file", r)); // not extraction
    EXPECT_FALSE(ParseExtractCommand(CommandDialect::Zip, "\"a.zip\"", r));
    EXPECT_EQ((std::vector<std::string>{"a", "b c"}), ResponseFileNames("a\r\n\r\nb c\n"));
}
