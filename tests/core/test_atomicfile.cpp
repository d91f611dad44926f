// The atomic writer: where its files go, what it leaves and what it removes.
#include "data/atomicfile.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <set>

#include "core_fixtures.h"

namespace {
namespace fs = std::filesystem;

std::set<std::string> FolderNames(const std::string& folder) {
  std::set<std::string> names;
  for (const auto& e : fs::directory_iterator(folder)) names.insert(e.path().filename().string());
  return names;
}

void MakeOld(const std::string& path) {
  const timeval twoMinutesAgo[2] = {{time(nullptr) - 120, 0}, {time(nullptr) - 120, 0}};
  ASSERT_EQ(lutimes(path.c_str(), twoMinutesAgo), 0) << path;
}

// What a write killed before its commit leaves in folder: the names of the
// temporary files it made.
std::set<std::string> LeftoverOfAKilledWrite(const std::string& folder, const std::string& name) {
  const std::set<std::string> before = FolderNames(folder);
  const pid_t child = fork();
  if (child == 0) {
    TAtomicFile file;
    if (file.Open(folder + "/" + name)) file.Write("half", 4);
    kill(getpid(), SIGKILL);
    _exit(1);
  }
  int status = 0;
  waitpid(child, &status, 0);
  std::set<std::string> made;
  for (const std::string& n : FolderNames(folder))
    if (!before.count(n)) made.insert(n);
  return made;
}

// Only files this writer provably made go: its own temporary name, a regular
// file of this user, a minute old. Names a person gave (hidden backups and
// drafts beside the written file, even of the same name) and anything of
// another shape stay, however old.
TEST(AtomicFile, RemovesOnlyTheLeftoversOfItsOwnKilledWrites) {
  TempDir dir;
  const std::set<std::string> killed = LeftoverOfAKilledWrite(dir.Path(), "out.ASC");
  ASSERT_EQ(killed.size(), 1u);
  const std::string leftover = *killed.begin();
  EXPECT_TRUE(TAtomicFile::IsTemporaryName(leftover)) << leftover;
  EXPECT_EQ(leftover.find("out.ASC"), std::string::npos) << "the target's name is not in it";

  struct Entry {
    std::string name;
    bool old, goes;
  };
  const Entry entries[] = {
      {leftover, true, true},
      {".vqrshow4-Ab12Cd34Ef56.tmp", true, true},
      {".vqrshow4-Zz99Zz99Zz99.tmp", false, false},  // a write in progress
      // What people name their files, beside the written ones.
      {".report.pdf.Backup", true, false},
      {".data.ASC.OLD123", true, false},
      {".notes.txt.Draft1", true, false},
      {".thesis.tex.Draft1", true, false},
      {".photos.2023Q1", true, false},
      {".report.pdf.202401", true, false},
      {".vqrshow4.INI.backup", true, false},
      {"...ABCDEF", true, false},
      {".out.ASC.Ab12cd", true, false},  // shaped like an older writer's
      {".out.ASC.XXXXXX", true, false},
      {".vimrc.backup", true, false},
      // Near misses of the writer's own form.
      {".vqrshow4-Ab12Cd34Ef5.tmp", true, false},
      {".vqrshow4-Ab12Cd34Ef567.tmp", true, false},
      {".vqrshow4-Ab12Cd34Ef5-.tmp", true, false},
      {".vqrshow4-Ab12Cd34Ef56.TMP", true, false},
      {".vqrshow4-Ab12Cd34Ef56.tmp~", true, false},
      {"vqrshow4-Ab12Cd34Ef56.tmp", true, false},
      {".vqrshow4-Ab12Cd34Ef56.tmp.txt", true, false},
  };
  for (const Entry& e : entries) {
    if (e.name != leftover) {
      ASSERT_TRUE(WriteText(dir.File(e.name), "theirs"));
    }
    if (e.old) {
      MakeOld(dir.File(e.name));
    }
  }
  fs::create_directory(dir.File("photos"));
  // The writer's form, but not a regular file of this user: never touched.
  std::vector<std::string> others = {".vqrshow4-AAAAAAAAAAAA.tmp", ".vqrshow4-BBBBBBBBBBBB.tmp"};
  fs::create_directory(dir.File(others[0]));
  fs::create_symlink(dir.File("notes.txt"), dir.File(others[1]));
  if (geteuid() == 0) {
    others.push_back(".vqrshow4-CCCCCCCCCCCC.tmp");
    ASSERT_TRUE(WriteText(dir.File(others[2]), "theirs"));
    ASSERT_EQ(chown(dir.File(others[2]).c_str(), 4242, 4242), 0);
  }
  for (const std::string& o : others) MakeOld(dir.File(o));

  for (const char* written : {"out.ASC", "report.pdf", "vqrshow4.INI", "pic.png"}) {
    ASSERT_TRUE(WriteFileAtomic(dir.File(written), "new"));
    for (const Entry& e : entries)
      EXPECT_EQ(Exists(dir.File(e.name)), !e.goes) << e.name << " after " << written;
    for (const std::string& o : others)
      EXPECT_TRUE(fs::symlink_status(dir.File(o)).type() != fs::file_type::not_found) << o;
  }
  // The explicit clean-up (run at start beside the settings file) keeps to the same rule.
  const std::set<std::string> left = FolderNames(dir.Path());
  EXPECT_EQ(TAtomicFile::RemoveLeftoversOf(dir.File("vqrshow4.INI"), 0), 1);  // the fresh one
  EXPECT_EQ(left.size() - 1, FolderNames(dir.Path()).size());
  EXPECT_TRUE(Exists(dir.File(".vqrshow4.INI.backup")));
}

// A target name as long as a file name may be still gets a temporary file.
TEST(AtomicFile, WritesNamesUpToTheLongestAFolderTakes) {
  TempDir dir;
  for (size_t length : {200u, 248u, 254u, 255u}) {
    const std::string name = std::string(length - 4, 'n') + ".ASC";
    std::string error;
    EXPECT_TRUE(WriteFileAtomic(dir.File(name), "x", &error)) << length << ": " << error;
    EXPECT_EQ(ReadFileText(dir.File(name)), "x") << length;
  }
  EXPECT_FALSE(WriteFileAtomic(dir.File(std::string(256, 'n')), "x"));
  EXPECT_EQ(FolderNames(dir.Path()).size(), 4u);
}

// Links are followed as opening the file would: relative ones from the
// link's folder, through folders, in chains; one that points nowhere is
// replaced itself; the file written is the link's target and the link stays.
TEST(AtomicFile, FollowsLinksAsOpeningTheFileWould) {
  TempDir dir;
  dir.Sub("sub/deep");
  ASSERT_TRUE(WriteText(dir.File("sub/real.txt"), "old"));
  fs::create_symlink("real.txt", dir.File("sub/rel"));
  fs::create_symlink("sub/rel", dir.File("chain"));
  fs::create_symlink("deep/../real.txt", dir.File("sub/dotted"));
  fs::create_symlink("sub", dir.File("folder"));
  fs::create_symlink(dir.File("sub/real.txt"), dir.File("absolute"));
  fs::create_symlink("loop2", dir.File("loop1"));
  fs::create_symlink("loop1", dir.File("loop2"));
  const std::string viaLink[] = {
      "sub/rel",  "chain",      "sub/dotted", "folder/real.txt", "folder/deep/../rel",
      "absolute", "./sub/./rel"};
  int n = 0;
  for (const std::string& path : viaLink) {
    const std::string text = "new" + std::to_string(++n);
    std::string error;
    EXPECT_TRUE(WriteFileAtomic(dir.File(path), text, &error)) << path << ": " << error;
    EXPECT_EQ(ReadFileText(dir.File("sub/real.txt")), text) << path;
  }
  for (const char* link : {"sub/rel", "chain", "sub/dotted", "folder", "absolute"})
    EXPECT_TRUE(fs::is_symlink(dir.File(link))) << link;
  // Relative to the working folder too.
  const fs::path cwd = fs::current_path();
  fs::current_path(dir.Path());
  EXPECT_TRUE(WriteFileAtomic("chain", "cwd"));
  EXPECT_TRUE(WriteFileAtomic("../" + fs::path(dir.Path()).filename().string() + "/folder/x", "x"));
  fs::current_path(cwd);
  EXPECT_EQ(ReadFileText(dir.File("sub/real.txt")), "cwd");
  EXPECT_EQ(ReadFileText(dir.File("sub/x")), "x");
  // A dangling link becomes the file; a loop and a folder are refused.
  fs::create_symlink("nowhere.txt", dir.File("dangling"));
  EXPECT_TRUE(WriteFileAtomic(dir.File("dangling"), "d"));
  EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(dir.File("dangling"))));
  std::string error;
  EXPECT_FALSE(WriteFileAtomic(dir.File("loop1"), "x", &error));
  EXPECT_NE(error.find("symbolic links"), std::string::npos) << error;
  EXPECT_FALSE(WriteFileAtomic(dir.File("sub"), "x", &error));
  EXPECT_NE(error.find("Is a directory"), std::string::npos) << error;
  EXPECT_FALSE(WriteFileAtomic(dir.File("sub/"), "x"));
  EXPECT_FALSE(WriteFileAtomic(dir.File("no/such/x"), "x", &error));
  EXPECT_EQ(error, "cannot write " + dir.File("no/such/x") + ": No such file or directory");
}

// Another user swaps a folder on the way to the outputs with a link to a
// folder of root's, in a loop, while root writes a batch there. Whatever the
// system's link protection says, nothing is written to the link's target and
// nothing there is removed: every write goes into the folder the walk opened.
TEST(AtomicFile, AFolderSwappedForALinkDuringABatchRedirectsNothing) {
  if (geteuid() != 0) GTEST_SKIP() << "needs root to act as another user";
  TempDir dir;
  const std::string shared = dir.Sub("shared");
  const std::string victim = dir.Sub("victim");
  ASSERT_EQ(chmod(shared.c_str(), 01777), 0);
  ASSERT_EQ(chmod(dir.Path().c_str(), 0755), 0);
  ASSERT_TRUE(WriteText(victim + "keep.txt", "root's"));
  const std::string marked = victim + ".vqrshow4-Ab12Cd34Ef56.tmp";  // would go if scanned
  ASSERT_TRUE(WriteText(marked, "root's"));
  MakeOld(marked);
  const uid_t other = 65534;
  fs::create_directory(shared + "out");
  ASSERT_EQ(chown((shared + "out").c_str(), other, other), 0);
  ASSERT_EQ(chmod((shared + "out").c_str(), 0777), 0);
  fs::create_symlink(victim, shared + "swap");
  ASSERT_EQ(lchown((shared + "swap").c_str(), other, other), 0);

  int ready[2];
  ASSERT_EQ(pipe(ready), 0);
  const pid_t swapper = fork();
  if (swapper == 0) {
    if (setgid(other) != 0 || setuid(other) != 0) _exit(2);
    if (write(ready[1], "g", 1) != 1) _exit(3);
    const std::string a = shared + "out", b = shared + "swap";
    for (;;) renameat2(AT_FDCWD, a.c_str(), AT_FDCWD, b.c_str(), RENAME_EXCHANGE);
  }
  char go = 0;
  ASSERT_EQ(read(ready[0], &go, 1), 1);
  int written = 0;
  for (int i = 0; i < 300; ++i) {
    TAtomicFile file;
    const std::string out = shared + "out/export" + std::to_string(i) + ".ASC";
    if (file.Open(out) && file.Write("data", 4) && file.Commit(false)) ++written;
  }
  kill(swapper, SIGKILL);
  waitpid(swapper, nullptr, 0);

  EXPECT_EQ(FolderNames(victim), (std::set<std::string>{"keep.txt", ".vqrshow4-Ab12Cd34Ef56.tmp"}));
  // Every export that was written lies in the folder, and nothing else does.
  const std::string folder = fs::is_symlink(shared + "out") ? shared + "swap" : shared + "out";
  const std::set<std::string> there = FolderNames(folder);
  EXPECT_EQ(static_cast<int>(there.size()), written);
  for (const std::string& name : there) EXPECT_EQ(name.rfind("export", 0), 0u) << name;
  EXPECT_GT(written, 0);
}

// A link in a shared sticky folder (as /tmp) is followed only when it is the
// writer's own or belongs to the folder's owner, as the kernel's rule for
// such links has it. The test changes owners and needs root.
TEST(AtomicFile, FollowsNoLinkOfAnotherUserInASharedStickyFolder) {
  if (geteuid() != 0) GTEST_SKIP() << "needs root to give files to another user";
  TempDir dir;
  const std::string victim = dir.File("victim/file");
  std::filesystem::create_directory(dir.File("victim"));
  const std::string shared = dir.Sub("shared");
  const std::string plain = dir.Sub("plain");
  chmod(shared.c_str(), 01777);
  chmod(plain.c_str(), 0777);
  const uid_t other = 4242;
  struct Case {
    std::string link;
    uid_t linkOwner, folderOwner;
    bool followed;
  };
  const Case cases[] = {
      {shared + "own", 0, 0, true},
      {shared + "others", other, 0, false},
      {shared + "folder-owners", other, other, true},
      {plain + "others", other, 0, true},  // not sticky: the kernel follows it too
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(WriteText(victim, "old"));
    std::filesystem::create_symlink(victim, c.link);
    ASSERT_EQ(lchown(c.link.c_str(), c.linkOwner, c.linkOwner), 0);
    ASSERT_EQ(chown(std::filesystem::path(c.link).parent_path().c_str(), c.folderOwner, 0), 0);
    std::string error;
    EXPECT_EQ(WriteFileAtomic(c.link, "new", &error), c.followed) << c.link << ": " << error;
    EXPECT_EQ(ReadFileText(victim), c.followed ? "new" : "old") << c.link;
    EXPECT_TRUE(std::filesystem::is_symlink(c.link)) << c.link;
    if (!c.followed) {
      EXPECT_EQ(error, "cannot write " + c.link + " (the link " + c.link +
                           " belongs to another user in a shared folder and is not followed)"
                           ": Permission denied");
    }
    std::filesystem::remove(c.link);
    ASSERT_EQ(chown(std::filesystem::path(c.link).parent_path().c_str(), 0, 0), 0);
  }
  // Such a link on the way to the file counts as well.
  ASSERT_TRUE(WriteText(victim, "old"));
  std::filesystem::create_symlink(dir.File("victim"), shared + "dir");
  ASSERT_EQ(lchown((shared + "dir").c_str(), other, other), 0);
  std::filesystem::create_symlink(shared + "dir/file", dir.File("own"));
  EXPECT_FALSE(WriteFileAtomic(dir.File("own"), "new"));
  EXPECT_EQ(ReadFileText(victim), "old");
  EXPECT_FALSE(WriteFileAtomic(shared + "dir/new", "new"));  // also for a new file
  EXPECT_FALSE(Exists(dir.File("victim/new")));
  // So does a FIFO there (its reader would get the output, and without one
  // the write would wait for ever); the writer's own FIFO is written.
  for (const auto& [owner, written] : {std::pair{other, false}, std::pair{uid_t{0}, true}}) {
    const std::string fifo = shared + "out.pdf";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0666), 0);
    ASSERT_EQ(chown(fifo.c_str(), owner, owner), 0);
    const int reader = open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    std::string error;
    EXPECT_EQ(WriteFileAtomic(fifo, "new", &error), written) << owner << ": " << error;
    char got[8] = {};
    EXPECT_EQ(read(reader, got, sizeof got), written ? 3 : 0) << owner;
    close(reader);
    std::filesystem::remove(fifo);
  }
  // And another user's file there, which root could otherwise replace with
  // one in the mode that user chose.
  const std::string planted = shared + "report.pdf";
  ASSERT_TRUE(WriteText(planted, "theirs"));
  ASSERT_EQ(chown(planted.c_str(), other, other), 0);
  ASSERT_EQ(chmod(planted.c_str(), 0666), 0);
  EXPECT_FALSE(WriteFileAtomic(planted, "new"));
  EXPECT_EQ(ReadFileText(planted), "theirs");
}

}  // namespace
