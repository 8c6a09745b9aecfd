// A viewer's promise, end to end: previewing every kind of file the program
// knows changes none of them and writes nothing outside the program's
// folder and its work folder; closing the program empties the work folder
// and keeps it. The main window is driven the way a user drives it: folders
// chosen in the folder tree, files stepped through in the file list, every
// member of every archive (nested ones too) chosen in the member list.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

#include "app/archive_pane.h"
#include "app/file_lists.h"
#include "archive/archiver_library.h"
#include "main_window_fixture.h"
#include "tree_snapshot.h"

namespace {

std::string WinePath(const std::string& linuxPath) {
    std::string p = "Z:" + linuxPath;
    for (char& c : p)
        if (c == '/') c = '\\';
    return p;
}

std::string BinFolder() {
    const char* v = std::getenv("QM_BIN_DIR");
    return WinePath(v ? v : "");
}

std::string EnvFolder(const char* name) {
    char buf[MAX_PATH] = {};
    GetEnvironmentVariableA(name, buf, MAX_PATH);
    std::string s = buf;
    while (!s.empty() && s.back() == '\\') s.pop_back();
    return s;
}

// Copies a folder tree; CopyFileA keeps attributes and last-write times.
void CopyTree(const std::string& from, const std::string& to) {
    CreateDirectoryA(to.c_str(), nullptr);
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((from + "\\*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return;
    do {
        const std::string name = fd.cFileName;
        if (name == "." || name == "..") continue;
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            CopyTree(from + "\\" + name, to + "\\" + name);
        else
            CopyFileA((from + "\\" + name).c_str(), (to + "\\" + name).c_str(), FALSE);
    } while (FindNextFileA(h, &fd));
    FindClose(h);
}

// Files (not folders) directly in a folder.
int CountFiles(const std::string& dir) {
    int n = 0;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((dir + "\\*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return -1;
    do {
        if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++n;
    } while (FindNextFileA(h, &fd));
    FindClose(h);
    return n;
}

void ForEachFolder(const std::string& dir, const std::function<void(const std::string&)>& f) {
    f(dir);
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((dir + "\\*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return;
    std::vector<std::string> subs;
    do {
        const std::string name = fd.cFileName;
        if (name != "." && name != ".." && (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            subs.push_back(dir + "\\" + name);
    } while (FindNextFileA(h, &fd));
    FindClose(h);
    for (const std::string& s : subs) ForEachFolder(s, f);
}

void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

class Promise : public MainWindow {
protected:
    void SetUp() override {
        MainWindow::SetUp();
        // The program's folder as installed: the program with its archiver
        // libraries and image plug-ins beside it.
        prog_ = dir_ / "Quillmark";
        files_ = dir_ / "files";
        CreateDirectoryA(prog_.c_str(), nullptr);
        CopyTree(BinFolder(), prog_);
        ASSERT_TRUE(TempFolder::Exists(prog_ + "\\Unzip32.dll")) << BinFolder();
        ArchiveApi::SetLibraryFolder(prog_);
        GetCurrentDirectoryA(MAX_PATH, savedDir_);
        SetCurrentDirectoryA(prog_.c_str());

        // Every kind of file: the sample folder, plus a hidden file and a
        // read-only picture.
        CopyTree(BinFolder() + "\\..\\samples", files_);
        ASSERT_TRUE(TempFolder::Exists(files_ + "\\archives\\nested.lzh"));
        TempFolder::WriteFile(files_ + "\\text\\hidden.txt", "hidden text\r\n");
        SetFileAttributesA((files_ + "\\text\\hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
        SetFileAttributesA((files_ + "\\images\\png_rgb.png").c_str(), FILE_ATTRIBUTE_READONLY);
    }
    void TearDown() override {
        SetCurrentDirectoryA(savedDir_);
        ArchiveApi::ReleaseAllLibraries();
        ArchiveApi::SetLibraryFolder("");
        MainWindow::TearDown();
    }

    // Everything outside the program's folder that a program could write
    // to: the test's own folder, the temporary folder and the top of the
    // user's profile. (Below the profile, Wine maps the user's folders onto
    // the host's home, where other programs write.)
    void SnapshotOutside(TTreeSnapshot& files, TTreeSnapshot& elsewhere) {
        SnapshotTree(dir_.Path(), files, {"Quillmark"});
        const std::string ours = dir_.Path().substr(dir_.Path().find_last_of('\\') + 1);
        SnapshotTree(EnvFolder("TEMP"), elsewhere, {"TEMP\\" + ours}, "TEMP", false);
        TTreeSnapshot profile;
        SnapshotTree(EnvFolder("USERPROFILE"), profile, {}, "PROFILE", false, false);
        elsewhere.insert(profile.begin(), profile.end());
    }

    // Every member of the archive shown in the archive pane, nested archives
    // opened as they are met.
    void ChooseEveryMember(int& previewed) {
        TArchivePane* pane = form_->ArchivePane.get();
        TTreeView* tv = pane->tvArchive;
        for (int i = 0; i < 64; ++i) {
            TTreeNode node = tv->FirstNode();
            for (int k = 0; node && k < i; ++k) node = tv->NextNode(node);
            if (!node) break;
            tv->Select(node);
            Pump();
            const int rows = pane->lvArchive->ItemCount();
            for (int r = 0; r < rows; ++r) {
                tv->Select(node);
                pane->lvArchive->SetSelected(r);
                pane->ShowSelectedMember();
                Pump();
                ++previewed;
            }
        }
    }

    std::string prog_, files_;
    char savedDir_[MAX_PATH] = {};
};

TEST_F(Promise, PreviewingEveryKindChangesNoFileAndClosingEmptiesTheWorkFolder) {
    TTreeSnapshot filesBefore, elsewhereBefore;
    SnapshotOutside(filesBefore, elsewhereBefore);
    ASSERT_GT(filesBefore.size(), 30u);

    TfoMAIN* form = new TfoMAIN(app_, prog_ + "\\Quillmark.exe");
    form_ = form;
    form->FormActivate(form);
    ASSERT_FALSE(form->WorkFolder.empty());
    TFileLists* lists = form->FileLists.get();

    int previewed = 0, members = 0;
    std::vector<std::string> kinds;
    ForEachFolder(files_, [&](const std::string& folder) {
        lists->fvxChange(lists->fvx, folder);
        const int count = lists->lvFile->ItemCount();
        for (int i = 0; i < count; ++i) {
            lists->SelectNext(0, true);  // Ctrl+Down, as a user steps through
            Pump();
            ++previewed;
            if (form->CurrentFileKind == fkArchive) ChooseEveryMember(members);
        }
    });
    EXPECT_GT(previewed, 30);
    EXPECT_GT(members, 15);
    for (const Box& b : boxes_) std::printf("message box: %s\n", b.text.c_str());

    // The orderly close: settings written beside the program, extracted
    // copies removed.
    const std::string work = form->WorkFolder;
    EXPECT_GT(CountFiles(work), 0) << "members were extracted while previewing";
    form->Close();
    delete form;
    form_ = nullptr;
    EXPECT_TRUE(TempFolder::IsFolder(work));
    EXPECT_EQ(0, CountFiles(work));
    EXPECT_TRUE(TempFolder::Exists(prog_ + "\\Quillmark.INI"));

    TTreeSnapshot filesAfter, elsewhereAfter;
    SnapshotOutside(filesAfter, elsewhereAfter);
    EXPECT_EQ("", SnapshotDifferences(filesBefore, filesAfter));
    EXPECT_EQ("", SnapshotDifferences(elsewhereBefore, elsewhereAfter));
}

} // namespace
