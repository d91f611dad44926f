// The INI reader/writer: lookups, edits that keep the rest of the file, text
// encodings, damaged files and the atomic replacement on disk.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "settings/inifile.h"
#include "support/settingsfixture.h"

TEST(IniDocument, EditsKeepEverythingElse) {
  const std::string before =
      "; keep me\n[General]\nstartx=1\n# other comment\ngarbage line\n\n[Legend]\nTitle=Kanal\n";
  TIniDocument doc(before);
  doc.Set("GENERAL", "StartX", "250");   // in place, spelling of the key kept
  doc.Set("General", "SavePos", "OFF");  // appended after the last key of General
  doc.Set("Printer", "AllBlack", "ON");  // new section at the end
  EXPECT_EQ(
      doc.Serialize(),
      "; keep me\n[General]\nstartx=250\nSavePos=OFF\n# other comment\ngarbage line\n\n[Legend]\n"
      "Title=Kanal\n\n[Printer]\nAllBlack=ON\n");
  EXPECT_EQ(doc.Get("general", "savepos"), "OFF");
}

TEST(IniDocument, ValuesCannotBreakTheFileApart) {
  TIniDocument doc;
  doc.Set("A", "k", "one\ntwo\r\n[B]\nx=1");
  const TIniDocument reread(doc.Serialize());
  EXPECT_EQ(reread.Get("A", "k"), "one two  [B] x=1");
  EXPECT_EQ(reread.Get("B", "x"), std::nullopt);
}

TEST(IniDocument, ReadsWindows1252AndUtf8) {
  // "Größe" in Windows-1252, "Grüße" in UTF-8, a UTF-8 byte order mark first.
  const TIniDocument doc(
      "\xEF\xBB\xBF[Texte]\nA=Gr\xF6\xDF"
      "e\nB=Gr\xC3\xBC\xC3\x9F"
      "e\nC=\x80 5\n");
  EXPECT_EQ(doc.Get("Texte", "A"), "Größe");
  EXPECT_EQ(doc.Get("Texte", "B"), "Grüße");
  EXPECT_EQ(doc.Get("Texte", "C"), "€ 5");
  EXPECT_EQ(doc.Serialize().substr(0, 3), "\xEF\xBB\xBF");
}

TEST(IniDocument, ChangedLinesKeepTheFileEncodingAndLineEnds) {
  struct Case {
    const char* name;
    std::string before, section, value, after;
  };
  // "Größe" in Windows-1252 makes a Windows-1252 file.
  const std::string cp =
      "[A]\nName=Gr\xF6\xDF"
      "e\nX=1\n";
  const Case cases[] = {
      {"Cp1252Stays", cp, "A", "Kanäle €",
       "[A]\nName=Gr\xF6\xDF"
       "e\nX=Kan\xE4le \x80\n"},
      {"Cp1252NewSection", cp, "Käse", "ü", cp + "\n[K\xE4se]\nX=\xFC\n"},
      {"NoCp1252FormMakesItUtf8", cp, "A", "Ω", "[A]\nName=Größe\nX=Ω\n"},
      {"Utf8Stays", "[A]\nName=Größe\nX=1\n", "A", "ä", "[A]\nName=Größe\nX=ä\n"},
      {"AsciiBecomesUtf8", "[A]\nX=1\n", "A", "ä", "[A]\nX=ä\n"},
      {"WindowsLineEndsKept", "[A]\r\nk=1\r\n", "A", "2", "[A]\r\nk=1\r\nX=2\r\n"},
      {"NoFinalNewlineKept", "[A]\nX=1", "A", "3", "[A]\nX=3"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TIniDocument doc(c.before);
    doc.Set(c.section, "X", c.value);
    EXPECT_EQ(doc.Serialize(), c.after);
    EXPECT_EQ(TIniDocument(doc.Serialize()).Get(c.section, "X"), c.value);
  }
}

// Lookups ignore letter case and blanks; damaged files keep their readable values.
TEST(IniDocument, LookupsAndDamagedFiles) {
  struct Case {
    const char* name;
    std::string text;
    const char* section;
    const char* key;
    std::optional<std::string> expected;
  };
  std::string junk;
  for (int i = 0; i < 4096; ++i) junk += static_cast<char>((i * 7919) & 0xFF);
  const std::string longLine(10 * 1024 * 1024, 'x');
  const std::string plain =
      "; comment\r\n[General]\r\n  StartX = 12  \r\nSavePos=ON\r\n[ Axis1 ]\r\nColor=255\r\n";
  const Case cases[] = {
      {"letter case and blanks", plain, "general", "STARTX", "12"},
      {"blanks in the header", plain, "AXIS1", "color", "255"},
      {"missing key", plain, "General", "Missing", std::nullopt},
      {"missing section", plain, "Missing", "StartX", std::nullopt},
      {"binary junk before", junk + "\n[General]\nStartX=7\n", "General", "StartX", "7"},
      {"binary junk inside", "[General]\n" + junk + "\nStartY=8\n", "General", "StartY", "8"},
      {"10 MB line", "[General]\nLong=" + longLine + "\nStartX=9\n", "General", "StartX", "9"},
      {"10 MB value", "[General]\nLong=" + longLine + "\n", "General", "Long", longLine},
      {"missing bracket is no header", "[General]\nA=1\n[Broken\nB=2\n", "General", "B", "2"},
      {"no section at all", "A=1\n", "General", "A", std::nullopt},
      {"duplicate section: first wins", "[S]\nk=first\n[s]\nk=second\nj=only2\n", "S", "k",
       "first"},
      {"duplicate section is not read", "[S]\nk=first\n[s]\nj=only2\n", "S", "j", std::nullopt},
      {"duplicate key: first wins", "[S]\nk=1\nk=2\n", "S", "k", "1"},
      {"NUL ends a value", std::string("[S]\nk=ab\0cd\n", 12), "S", "k", "ab"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TIniDocument doc(c.text);
    EXPECT_EQ(doc.Get(c.section, c.key), c.expected);
    // A write leaves every line it did not touch as it was.
    doc.Set("Zz", "k", "v");
    const std::string out = doc.Serialize();
    EXPECT_EQ(out.substr(0, c.text.size()), c.text);
  }
}

class IniFileTest : public ::testing::Test {
 protected:
  TempDir dir;
  std::string path = dir.File("a.INI");
};

TEST_F(IniFileTest, WritesReplaceTheFileAndKeepItsModeAndSymlink) {
  WriteText(path, "[General]\nStartX=1\n");
  chmod(path.c_str(), 0640);
  TIniFile f(path);
  EXPECT_EQ(f.Get("General", "StartX"), "1");
  ASSERT_TRUE(f.Write("General", "StartX", "2"));
  EXPECT_EQ(ReadFileText(path), "[General]\nStartX=2\n");
  struct stat st {};
  ASSERT_EQ(stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  // A link is followed: the file it names is replaced.
  std::filesystem::create_symlink(path, dir.File("link.INI"));
  ASSERT_TRUE(TIniFile(dir.File("link.INI")).Write("General", "StartX", "3"));
  EXPECT_TRUE(std::filesystem::is_symlink(dir.File("link.INI")));
  EXPECT_EQ(ReadFileText(path), "[General]\nStartX=3\n");
  // No temporary file is left behind.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 2);
}

TEST_F(IniFileTest, NoSettingsFromOversizedOrNonRegularFiles) {
  // Far larger than any settings file: taken as unreadable, never replaced.
  WriteText(path, "[S]\nk=1\n");
  ASSERT_EQ(truncate(path.c_str(), TIniFile::kMaxFileBytes + 1), 0);
  const std::string fifo = dir.File("fifo.INI");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  for (const std::string& name : {path, fifo}) {
    SCOPED_TRACE(name);
    TIniFile f(name);
    EXPECT_FALSE(f.Exists());
    EXPECT_EQ(f.Get("S", "k"), std::nullopt);
  }
  TIniFile huge(path);
  EXPECT_FALSE(huge.Write("S", "k", "2"));
  EXPECT_EQ(huge.LastFailure().Code, EFBIG);
  EXPECT_EQ(std::filesystem::file_size(path), TIniFile::kMaxFileBytes + 1);
  ASSERT_EQ(truncate(path.c_str(), TIniFile::kMaxFileBytes), 0);
  EXPECT_EQ(TIniFile(path).Get("S", "k"), "1");
}

TEST_F(IniFileTest, SeesChangesMadeByOthers) {
  WriteText(path, "[S]\nk=1\n");
  TIniFile f(path);
  EXPECT_EQ(f.Get("S", "k"), "1");
  WriteText(path, "[S]\nk=22\nj=3\n");  // a different size: always noticed
  EXPECT_EQ(f.Get("S", "k"), "22");
  // A write applies to what is on disk now, not to an old copy.
  WriteText(path, "[S]\nk=22\nj=4\nm=5\n");
  ASSERT_TRUE(f.Write("S", "k", "6"));
  EXPECT_EQ(ReadFileText(path), "[S]\nk=6\nj=4\nm=5\n");
}

TEST_F(IniFileTest, FailedWriteLeavesTheOldFileAndReportsFailure) {
  const std::string sub = dir.Sub("cfg");
  path = sub + "a.INI";
  WriteText(path, "[S]\nk=1\n");
  TIniFile f(path);
  EXPECT_EQ(f.Get("S", "k"), "1");
  std::filesystem::rename(sub, dir.File("gone"));  // the folder vanished
  EXPECT_FALSE(f.Write("S", "k", "2"));
  EXPECT_EQ(f.LastFailure().Path, path);
  EXPECT_EQ(f.LastFailure().Code, ENOENT);
  std::filesystem::rename(dir.File("gone"), sub);
  EXPECT_EQ(ReadFileText(path), "[S]\nk=1\n");
  EXPECT_EQ(f.Get("S", "k"), "1");  // memory follows the disk again

  // A write-protected file is never replaced, not even by root.
  chmod(path.c_str(), 0444);
  EXPECT_FALSE(f.Write("S", "k", "2"));
  EXPECT_TRUE(f.LastFailure().WriteProtected);
  chmod(path.c_str(), 0644);
  EXPECT_EQ(ReadFileText(path), "[S]\nk=1\n");
  EXPECT_TRUE(f.Write("S", "k", "2"));
  EXPECT_TRUE(f.LastFailure().Path.empty());
  EXPECT_FALSE(TIniFile(path, true).Write("S", "k", "3"));
  EXPECT_EQ(ReadFileText(path), "[S]\nk=2\n");

  // Nor is a file that cannot be read.
  if (geteuid() == 0) return;
  chmod(path.c_str(), 0200);
  TIniFile unreadable(path);
  EXPECT_EQ(unreadable.Get("S", "k"), std::nullopt);
  EXPECT_FALSE(unreadable.Write("S", "k", "5"));
  chmod(path.c_str(), 0600);
  EXPECT_EQ(ReadFileText(path), "[S]\nk=2\n");
}
