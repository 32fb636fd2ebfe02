// The INI reader: line cutting, sections, keys, values, numeric keys, file encodings.
#include "app/frame/ClsGetIni.h"
#include "tests/support/Application.h"
#include "tests/support/Scratch.h"

#include <QFile>

#include <gtest/gtest.h>

using tamsel::ClsGetIni;

namespace {
void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

ClsGetIni fromText(const char* utf8) {
    ClsGetIni ini;
    ini.setText(QString::fromUtf8(utf8));
    return ini;
}
} // namespace

TEST(ClsGetIniTest, CutsCommentsQuotesAndTrailingBlanks) {
    const std::pair<const char*, const char*> cases[] = {
        {"  PATH = C:\\bk  ", "PATH = C:\\bk"},
        {"PATH=\"/srv/bk\"", "PATH=\"/srv/bk"},
        {"PATH=/srv/bk ; the backup", "PATH=/srv/bk"},
        {"PATH=\"/a;b\"", "PATH=\"/a"}, // a ';' starts a comment even inside quotes
        {"; only a comment", ""},
        {"   ;indented comment", ""},
        {"\"\"\t \"", ""},
        {"", ""},
        {"[BKPATH]\t", "[BKPATH]"},
        {"\tKEY=1", "KEY=1"},
    };
    for (const auto& [raw, cut] : cases)
        EXPECT_EQ(ClsGetIni::cutLine(QString::fromUtf8(raw)), QString::fromUtf8(cut)) << raw;
}

TEST(ClsGetIniTest, QuotedAndPlainValuesReadTheSame) {
    const ClsGetIni ini = fromText("[BKPATH]\n"
                                   "A=/srv/bk\n"
                                   "B = \"/srv/bk\"\n"
                                   "C\t=\t\"/srv/bk\" ; comment\n"
                                   "EMPTY=\"\"\n"
                                   "NOTHING=\n");
    for (const char* key : {"A", "B", "C"})
        EXPECT_EQ(ini.GetKeyword(QStringLiteral("BKPATH"), QString::fromLatin1(key)),
                  QStringLiteral("/srv/bk"))
            << key;
    EXPECT_EQ(ini.GetKeyword(QStringLiteral("BKPATH"), QStringLiteral("EMPTY")), QString());
    EXPECT_EQ(ini.GetKeyword(QStringLiteral("BKPATH"), QStringLiteral("NOTHING")), QString());
    EXPECT_EQ(ini.GetKeyword(QStringLiteral("BKPATH"), QStringLiteral("MISSING")), std::nullopt);
}

TEST(ClsGetIniTest, SectionsAndKeysMatchWithoutRegardToCaseAndOnlyTheFirstSectionCounts) {
    const ClsGetIni ini = fromText("[bkpath]\n"
                                   "path=/first\n"
                                   "[OTHER]\n"
                                   "Path=/other\n"
                                   "[BKPATH]\n"
                                   "PATH=/second\n"
                                   "EXTRA=/later\n");
    EXPECT_EQ(ini.GetKeyword(QStringLiteral("BKPATH"), QStringLiteral("PATH")),
              QStringLiteral("/first"));
    EXPECT_EQ(ini.GetKeyword(QStringLiteral("BkPath"), QStringLiteral("pAtH")),
              QStringLiteral("/first"));
    EXPECT_EQ(ini.GetKeyword(QStringLiteral("BKPATH"), QStringLiteral("EXTRA")), std::nullopt);
    EXPECT_EQ(ini.GetKeyword(QStringLiteral("NONE"), QStringLiteral("PATH")), std::nullopt);
}

TEST(ClsGetIniTest, AHeaderWithoutClosingBracketNamesTheRestOfTheLine) {
    const ClsGetIni ini = fromText("[OPEN\nK=v\n");
    EXPECT_EQ(ini.GetKeyword(QStringLiteral("open"), QStringLiteral("k")), QStringLiteral("v"));
}

TEST(ClsGetIniTest, GetKubunListsNumericKeysInFileOrder) {
    const ClsGetIni ini = fromText("[KBN]\n"
                                   "3=三\n"
                                   "NAME=skip\n"
                                   "1 = 一\n"
                                   "10=\"十\"\n"
                                   "[NEXT]\n"
                                   "4=no\n"
                                   "[WORDS]\n"
                                   "A=1\n");
    std::vector<std::int16_t> keys{99};
    std::vector<QString> names{QStringLiteral("old")};
    EXPECT_EQ(ini.GetKubun(QStringLiteral("kbn"), keys, names), 3);
    EXPECT_EQ(keys, (std::vector<std::int16_t>{3, 1, 10}));
    EXPECT_EQ(names, (std::vector<QString>{QStringLiteral("三"), QStringLiteral("一"),
                                           QStringLiteral("十")}));

    EXPECT_EQ(ini.GetKubun(QStringLiteral("WORDS"), keys, names), 0);
    EXPECT_TRUE(keys.empty());
    EXPECT_TRUE(names.empty());
}

class ClsGetIniFileTest : public ::testing::Test {
protected:
    testsupport::TempFolder dir;
};

TEST_F(ClsGetIniFileTest, AFileOfCommentsAndBlankLinesReadsAsEmpty) {
    writeFile(dir.file("c.ini"), "; backup folder\n\n   \n;[BKPATH]\n;PATH=/x\n");
    ClsGetIni ini;
    EXPECT_EQ(ini.SetInifile(dir.file("c.ini")), 0);
    EXPECT_EQ(ini.lineCount(), 0);
    EXPECT_EQ(ini.GetKeyword(QStringLiteral("BKPATH"), QStringLiteral("PATH")), std::nullopt);
}

TEST_F(ClsGetIniFileTest, AMissingFileGivesAnErrorNumberAndForgetsEarlierLines) {
    writeFile(dir.file("a.ini"), "[S]\nK=V\n");
    ClsGetIni ini;
    ASSERT_EQ(ini.SetInifile(dir.file("a.ini")), 0);
    EXPECT_EQ(ini.SetInifile(dir.file("missing.ini")), ClsGetIni::kFileNotFound);
    EXPECT_EQ(ini.GetKeyword(QStringLiteral("S"), QStringLiteral("K")), std::nullopt);
}

TEST_F(ClsGetIniFileTest, ReadsUtf8WithOrWithoutBomAndOldShiftJisFiles) {
    // "[BKPATH]\r\nPATH=D:\バックアップ\r\n" in Shift-JIS.
    const QByteArray sjis = QByteArray("[BKPATH]\r\nPATH=D:\\") +
                            QByteArray::fromHex("836f8362834e834183628376") + "\r\n";
    writeFile(dir.file("sjis.ini"), sjis);
    writeFile(dir.file("utf8.ini"), "[BKPATH]\nPATH=D:\\バックアップ\n");
    writeFile(dir.file("bom.ini"), "\xEF\xBB\xBF[BKPATH]\nPATH=D:\\バックアップ\n");
    for (const char* name : {"sjis.ini", "utf8.ini", "bom.ini"}) {
        ClsGetIni ini;
        ASSERT_EQ(ini.SetInifile(dir.file(QString::fromLatin1(name))), 0) << name;
        EXPECT_EQ(ini.GetKeyword(QStringLiteral("BKPATH"), QStringLiteral("PATH")),
                  QStringLiteral("D:\\バックアップ"))
            << name;
    }
}
