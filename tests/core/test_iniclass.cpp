// The INI object: where the INI file is found or created, the public file,
// typed reads of odd text, float writes and the main window position.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <ctime>
#include <filesystem>

#include "data/numtext.h"
#include "settings/iniclass.h"
#include "support/settingsfixture.h"

using vqrtest::Inputs;

namespace {
const char* const kDefaultFile = "[General]\nStartX=1\nStartY=1\nSavePos=ON\nUseHomeDir=OFF\n";
}

class Locating : public ::testing::Test {
 protected:
  TempDir dir;
  std::string prog = dir.Sub("prog");
  std::string home = dir.Sub("home");
  std::string other = dir.Sub("other");
  std::map<std::string, std::string> env{{"HOME", home}};
  TZTIniClass ini;
};

TEST_F(Locating, FirstStartCreatesTheDefaultFileInTheProgramDirectory) {
  EXPECT_TRUE(ini.Locate(Inputs(prog, {}, env)));
  EXPECT_EQ(ini.IniFileName, prog + "vqrshow4.INI");
  EXPECT_EQ(ini.ProgramDir, prog);
  EXPECT_EQ(ini.BaseName, "vqrshow4");
  EXPECT_EQ(ReadFileText(ini.IniFileName), kDefaultFile);
  EXPECT_FALSE(Exists(home + "vqrshow4.INI"));
  EXPECT_EQ(ini.PublicIniFileName, "");
  EXPECT_EQ(ini.HelpFileName, "");
}

TEST_F(Locating, UnwritableProgramDirectoryCreatesTheFileAtHome) {
  if (geteuid() != 0) {  // read-only
    chmod(prog.c_str(), 0555);
    EXPECT_TRUE(TZTIniClass().Locate(Inputs(prog, {}, env)));
    EXPECT_EQ(ReadFileText(home + "vqrshow4.INI"), kDefaultFile);
    std::filesystem::remove(home + "vqrshow4.INI");
  }
  std::filesystem::remove_all(prog);  // also what a root-owned /usr/bin is for a user
  EXPECT_TRUE(ini.Locate(Inputs(prog, {}, env)));
  EXPECT_EQ(ini.IniFileName, home + "vqrshow4.INI");
  EXPECT_EQ(ReadFileText(ini.IniFileName), kDefaultFile);
  // The next start finds it there by the ordinary search.
  TZTIniClass again;
  EXPECT_TRUE(again.Locate(Inputs(prog, {}, env)));
  EXPECT_EQ(again.IniFileName, home + "vqrshow4.INI");
}

TEST_F(Locating, AnInstalledProgramFindsItsHelpUnderShareAndWritesNothingBesideItself) {
  // PREFIX/bin/vqrshow4 with PREFIX/share/vqrshow4/; root may write PREFIX/bin.
  const std::string bin = dir.Sub("usr/bin");
  const std::string share = dir.Sub("usr/share/vqrshow4");
  WriteText(share + "vqrshow4.HLP", "<html></html>");
  EXPECT_TRUE(ini.Locate(Inputs(bin, {}, env)));
  EXPECT_EQ(ini.IniFileName, home + "vqrshow4.INI");
  EXPECT_FALSE(Exists(bin + "vqrshow4.INI"));
  EXPECT_EQ(ini.HelpFileName, share + "vqrshow4.HLP");
  EXPECT_EQ(ini.DataDir, share);
}

TEST_F(Locating, AHostProgramsFolderIsNeverSearched) {
  // A module inside an interpreter: the file beside the interpreter is not
  // the user's, and nothing is created; the home file is found as ever.
  WriteText(prog + "vqrshow4.INI", "[General]\nStartX=7\n");
  TLocateInputs in = Inputs(prog, {}, env);
  in.ReadOnly = true;
  in.NoProgramDir = true;
  EXPECT_FALSE(ini.Locate(in));
  EXPECT_EQ(ini.IniFileName, "");
  EXPECT_EQ(ini.IniReadInteger("General", "StartX", -1), -1);
  EXPECT_FALSE(Exists(home + "vqrshow4.INI"));
  WriteText(home + "vqrshow4.INI", "[General]\nStartX=5\n");
  TZTIniClass again;
  EXPECT_TRUE(again.Locate(in));
  EXPECT_EQ(again.IniFileName, home + "vqrshow4.INI");
}

TEST_F(Locating, HomeFileWinsOverTheProgramDirectory) {
  WriteText(home + "vqrshow4.INI", "[General]\nStartX=5\n");
  EXPECT_TRUE(ini.Locate(Inputs(prog, {}, env)));
  EXPECT_EQ(ini.IniFileName, home + "vqrshow4.INI");
  EXPECT_FALSE(Exists(prog + "vqrshow4.INI"));
  // HOMEDRIVE + HOMEPATH, when both are set, come before HOME.
  const std::string drive = dir.Path();
  WriteText(other + "vqrshow4.INI", "[General]\n");
  TZTIniClass win;
  EXPECT_TRUE(win.Locate(
      Inputs(prog, {}, {{"HOME", home}, {"HOMEDRIVE", " " + drive}, {"HOMEPATH", "/other/ "}})));
  EXPECT_EQ(win.IniFileName, drive + "/other/vqrshow4.INI");
}

TEST_F(Locating, IniSwitchNamesADirectoryOrAFile) {
  WriteText(other + "vqrshow4.INI", "[General]\n");
  WriteText(other + "My.ini", "[General]\n");
  struct Case {
    std::vector<std::string> args;
    std::string expected;
  };
  const Case cases[] = {
      {{"/INI:" + other}, other + "vqrshow4.INI"},
      {{"/ini=" + other.substr(0, other.size() - 1)}, other + "vqrshow4.INI"},
      {{"--ini=" + other + "My.ini"}, other + "My.ini"},  // the value keeps its case
      {{"/Ini=" + other + "missing.ini"}, home + "vqrshow4.INI"},
      {{"/ini=" + other + "My.ini", "/ini:" + other}, other + "vqrshow4.INI"},  // last wins
      {{"/inifile=" + other + "My.ini"}, home + "vqrshow4.INI"}};
  WriteText(home + "vqrshow4.INI", "[General]\n");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args.back());
    TZTIniClass i;
    EXPECT_TRUE(i.Locate(Inputs(prog, c.args, env)));
    EXPECT_EQ(i.IniFileName, c.expected);
  }
}

TEST(SettingsSwitches, AreToldApartFromDataFileArguments) {
  for (const char* arg :
       {"/ini:/tmp/a.INI", "/INI=/tmp", "--ini=/tmp/a.INI", "/public:x", "--PUBLIC=/etc/vqr"})
    EXPECT_TRUE(TZTIniClass::IsSettingsSwitch(arg)) << arg;
  for (const char* arg : {"samples/hours40.DAT", "/initial/data.DAT", "--ini:/tmp/a.INI", "/ini",
                          "--public", "-ini=/tmp"})
    EXPECT_FALSE(TZTIniClass::IsSettingsSwitch(arg)) << arg;
}

TEST_F(Locating, PublicFileSuppliesWhatTheOwnFileLacksAndIsNeverWritten) {
  const std::string pub = "[General]\n[Legend]\nTitle=Öffentlich\nStepX=4\n[Axis1]\nMaxHour=72\n";
  WriteText(other + "vqrshow4.INI", pub);
  WriteText(home + "vqrshow4.INI", "[Legend]\nTitle=\nStepX=9\n");
  EXPECT_TRUE(ini.Locate(Inputs(prog, {"/PUBLIC:" + other}, env)));
  EXPECT_EQ(ini.PublicIniFileName, other + "vqrshow4.INI");
  EXPECT_EQ(ini.IniReadString("Legend", "Title", "x"), "Öffentlich");  // empty in the own file
  EXPECT_EQ(ini.IniReadInteger("Legend", "StepX", 0), 9);              // own file first
  EXPECT_EQ(ini.IniReadInteger("Axis1", "MaxHour", 0), 72);            // missing in the own file
  EXPECT_EQ(ini.IniReadString("Axis1", "Missing", "dflt"), "dflt");
  EXPECT_TRUE(ini.IniWriteInteger("Axis1", "MaxHour", 24));
  EXPECT_EQ(ReadFileText(other + "vqrshow4.INI"), pub);
  EXPECT_EQ(ini.IniReadInteger("Axis1", "MaxHour", 0), 24);

  // Named in the own file instead of on the command line.
  WriteText(home + "vqrshow4.INI", "[General]\nPublicIni=" + other + "vqrshow4.INI\n");
  TZTIniClass i2;
  EXPECT_TRUE(i2.Locate(Inputs(prog, {}, env)));
  EXPECT_EQ(i2.PublicIniFileName, other + "vqrshow4.INI");
}

TEST_F(Locating, UseHomeDirMovesTheFile) {
  WriteText(home + "vqrshow4.INI", "[General]\nUseHomeDir=yes\nUseHomePath=" + other + "\n");
  EXPECT_TRUE(ini.Locate(Inputs(prog, {}, env)));
  EXPECT_TRUE(ini.UseHomeDir);
  EXPECT_EQ(ini.IniFileName, other + "vqrshow4.INI");
  EXPECT_EQ(ReadFileText(ini.IniFileName), kDefaultFile);

  // A blank UseHomePath keeps the file that was found.
  WriteText(home + "vqrshow4.INI", "[General]\nUseHomeDir=ON\nUseHomePath=   \n");
  TZTIniClass i2;
  i2.Locate(Inputs(prog, {}, env));
  EXPECT_EQ(i2.IniFileName, home + "vqrshow4.INI");
}

TEST_F(Locating, StartRemovesOldTemporaryFilesOfAKilledSave) {
  WriteText(home + "vqrshow4.INI", "[General]\n");
  // Only the writer's own temporary files go, never a backup the user made.
  const std::pair<const char*, bool> files[] = {
      {".vqrshow4-Ab12Cd34Ef56.tmp", true}, {".vqrshow4-fresh1fresh1.tmp", false},
      {".vqrshow4.INI.Ab12Cd", false},      {".vqrshow4.INI.backup", false},
      {".vqrshow4-Ab12Cd34Ef5.tmp", false}, {"vqrshow4-Ab12Cd34Ef56.tmp", false},
      {".vqrshow4-Ab-2Cd34Ef56.tmp", false}};
  const timespec old[2] = {{time(nullptr) - 120, 0}, {time(nullptr) - 120, 0}};
  for (const auto& [name, gone] : files) {
    WriteText(home + name, "[General]\n");
    if (std::string(name) != ".vqrshow4-fresh1fresh1.tmp")
      utimensat(AT_FDCWD, (home + name).c_str(), old, 0);
  }
  auto in = Inputs(prog, {}, env);
  in.ReadOnly = true;  // vqrtool touches nothing
  ASSERT_TRUE(TZTIniClass().Locate(in));
  for (const auto& [name, gone] : files) EXPECT_TRUE(Exists(home + name)) << name;
  ASSERT_TRUE(ini.Locate(Inputs(prog, {}, env)));
  for (const auto& [name, gone] : files) EXPECT_EQ(Exists(home + name), !gone) << name;
}

// "Speichern unter..." after a failed write: the copy takes the file as it is,
// but nothing of one too large to be settings.
TEST_F(Locating, RelocatedFileCopiesOnlyWhatCanBeRead) {
  WriteText(home + "vqrshow4.INI", "[General]\nSavePos=OFF\n");
  ASSERT_TRUE(ini.Locate(Inputs(prog, {}, env)));
  ASSERT_TRUE(ini.RelocateOwnFile(other + "a.INI"));
  EXPECT_EQ(ReadFileText(other + "a.INI"), "[General]\nSavePos=OFF\n");
  ASSERT_EQ(truncate(ini.IniFileName.c_str(), TIniFile::kMaxFileBytes + 1), 0);
  ASSERT_TRUE(ini.RelocateOwnFile(other + "b.INI"));
  EXPECT_EQ(ini.IniFileName, other + "b.INI");
  EXPECT_EQ(std::filesystem::file_size(other + "b.INI"), 0u);
}

// ------------------------------------------------------------- typed values

class TypedValues : public Locating {
 protected:
  void SetUp() override {
    WriteText(home + "vqrshow4.INI", "[V]\n");
    ini.Locate(Inputs(prog, {}, env));
  }
  void Put(const std::string& text) { ini.IniWriteString("V", "k", text); }
};

TEST_F(TypedValues, IntegersBooleansAndFloatsFromOddText) {
  const std::pair<const char*, int32_t> ints[] = {
      {"42", 42},  {"   -17", -17},   {"12abc", 12},
      {"2,5", 2},  {"-", 0},          {"abc", 0},
      {"+5", 0},   {"4294967297", 1}, {"2147483648", INT32_MIN},
      {"0x10", 0},
  };
  for (const auto& [text, expected] : ints) {
    Put(text);
    EXPECT_EQ(ini.IniReadInteger("V", "k", 99), expected) << text;
  }
  const std::pair<const char*, bool> bools[] = {
      {"ON", true},   {"yes", true}, {"True", true}, {"oN", true},   {"1", false},
      {"OFF", false}, {"no", false}, {"", false},    {"ONE", false},
  };
  for (const auto& [text, expected] : bools) {
    Put(text);
    EXPECT_EQ(ini.IniReadBool("V", "k"), expected) << text;
  }
  const std::pair<const char*, double> floats[] = {
      {"2.5", 2.5}, {"2,5", 2.0}, {"  -3.25", -3.25}, {"-", 0.0},    {"abc", 0.0},
      {"1e3", 1.0}, {".5", 0.5},  {"0.1", 0.1},       {"12.", 12.0}, {"1.000000", 1.0},
  };
  for (const auto& [text, expected] : floats) {
    Put(text);
    EXPECT_DOUBLE_EQ(ini.IniReadFloat("V", "k", 99.0), expected) << text;
  }
  EXPECT_EQ(ini.IniReadInteger("V", "missing", 99), 99);
  EXPECT_DOUBLE_EQ(ini.IniReadFloat("V", "missing", 99.0), 99.0);
  EXPECT_FALSE(ini.IniReadBool("V", "missing"));
  EXPECT_TRUE(ini.IniReadBoolOn("V", "missing"));
  Put("");  // empty counts as missing, but is not "ON"
  EXPECT_EQ(ini.IniReadInteger("V", "k", 99), 99);
  EXPECT_FALSE(ini.IniReadBoolOn("V", "k"));
}

// The settings fields, the pen dialog and vqrtool's options take a number
// only as a whole text.
TEST(NumberText, WholeTextsReadTheSameUnderTheGermanLocale) {
  ASSERT_TRUE(setlocale(LC_ALL, "de_DE.UTF-8")) << "locale de_DE.UTF-8 is missing";
  struct Case {
    const char* text;
    bool isInt;
    bool isFloat;
    double value;
  };
  const Case cases[] = {{"42", true, true, 42},     {" -7\t", true, true, -7},
                        {"+5", true, true, 5},      {"2.5", false, true, 2.5},
                        {"1,5", false, false, 0},   {" 1.5e1 ", false, true, 15},
                        {".5", false, true, 0.5},   {"2147483648", false, true, 2147483648.0},
                        {"inf", false, false, 0},   {"nan", false, false, 0},
                        {"1e400", false, false, 0}, {"", false, false, 0},
                        {"-", false, false, 0},     {"+-1", false, false, 0},
                        {"0x10", false, false, 0},  {"12pt", false, false, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    int32_t i = 99;
    double f = 99;
    EXPECT_EQ(WholeIntFromText(c.text, i), c.isInt);
    EXPECT_EQ(WholeFloatFromText(c.text, f), c.isFloat);
    EXPECT_EQ(i, c.isInt ? static_cast<int32_t>(c.value) : 99);
    EXPECT_DOUBLE_EQ(f, c.isFloat ? c.value : 99);
  }
  setlocale(LC_ALL, "C");
}

TEST_F(TypedValues, FloatsAreWrittenFixedWithAPoint) {
  // A decimal comma locale must not matter.
  ASSERT_TRUE(setlocale(LC_NUMERIC, "de_DE.UTF-8")) << "locale de_DE.UTF-8 is missing";
  const std::tuple<double, int, const char*> cases[] = {
      {1.0, 3, "1.000"},  {-0.5, 6, "-0.500000"}, {2.0005, 3, "2.001"},
      {0.125, 2, "0.12"}, {1234.5, 0, "1234"},    {0.0, 3, "0.000"}};
  for (const auto& [value, decimals, text] : cases) {
    ini.IniWriteFloat("V", "k", decimals, value);
    EXPECT_EQ(ini.IniReadString("V", "k", ""), text);
  }
  setlocale(LC_NUMERIC, "C");
}

// ------------------------------------------------------- main window place
