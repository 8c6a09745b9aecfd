// Member records as an archiver library might fill them, byte for byte,
// through the archive control's listing and sorting and the archive
// operation's tree, member list, extraction and nested archives. A record's
// path must split into folder and name without losing a byte.
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "archive/archive_control.h"
#include "archive/archive_operation.h"
#include "archive/archive_rows.h"
#include "archive/fake_archive_views.h"
#include "archive/fake_archiver.h"
#include "fuzz_support.h"

namespace {

struct Member {
    IndividualInfo info;
    int attribute;
};

// A library that reports the same members for every archive the file
// system holds, and "extracts" by making empty files.
class RecordApi : public FakeArchiverApi {
public:
    RecordApi(FakePlatform& fs, const std::vector<Member>& members, int count)
        : fs_(fs), members_(members), count_(count) {}
    int CheckArchive(TArchiverLibrary, const char* path, int) override {
        return fs_.Exists(path) ? 1 : 0;
    }
    int GetFileCount(TArchiverLibrary, const char*) override { return count_; }
    TArchiveHandle OpenArchive(TArchiverLibrary, TWindowHandle, const char* path,
                               std::uint32_t) override {
        pos_ = 0;
        return fs_.Exists(path) ? 99 : 0;
    }
    int FindFirst(TArchiverLibrary lib, TArchiveHandle h, const char*, IndividualInfo* info) override {
        pos_ = 0;
        return FindNext(lib, h, info);
    }
    int FindNext(TArchiverLibrary, TArchiveHandle, IndividualInfo* info) override {
        if (pos_ >= members_.size()) return -1;
        current_ = members_[pos_].attribute;
        *info = members_[pos_++].info;
        return 0;
    }
    int GetAttribute(TArchiverLibrary, TArchiveHandle) override { return current_; }
    int CloseArchive(TArchiverLibrary, TArchiveHandle) override { return 0; }
    int Command(TArchiverLibrary, TWindowHandle, const char* cmd, char*, std::uint32_t) override {
        // "... "archive" "dest\" names": every name's last part lands in dest.
        const std::string c = cmd;
        const std::size_t a1 = c.find('"'), a2 = c.find('"', a1 + 1);
        const std::size_t d1 = c.find('"', a2 + 1), d2 = c.find('"', d1 + 1);
        if (d2 == std::string::npos) return 0x8000;
        const std::string dest = c.substr(d1 + 1, d2 - d1 - 1);
        std::size_t p = d2 + 1;
        for (int made = 0; made < 8 && p < c.size();) {
            while (p < c.size() && c[p] == ' ') ++p;
            std::size_t e = c.find(' ', p);
            if (e == std::string::npos) e = c.size();
            std::string name = c.substr(p, e - p);
            const std::size_t cut = name.find_last_of("/\\");
            if (cut != std::string::npos) name = name.substr(cut + 1);
            if (!name.empty()) {
                fs_.AddFile(dest + name);
                ++made;
            }
            p = e;
        }
        return 0;
    }

private:
    FakePlatform& fs_;
    const std::vector<Member>& members_;
    int count_;
    std::size_t pos_ = 0;
    int current_ = 0;
};

Member ReadMember(FuzzedDataProvider& in) {
    Member m{};
    if (in.ConsumeBool()) {
        // Raw: whatever bytes the library left in the record.
        const std::vector<uint8_t> raw = in.ConsumeBytes<uint8_t>(kIndividualInfoBufferSize);
        if (!raw.empty()) std::memcpy(m.info.bytes, raw.data(), raw.size());
    } else {
        m.info.SetUnpackedSize(in.ConsumeIntegral<uint32_t>());
        m.info.SetCompressedSize(in.ConsumeIntegral<uint32_t>());
        m.info.SetRatio(in.ConsumeIntegral<uint16_t>());
        m.info.SetDosDate(in.ConsumeIntegral<uint16_t>());
        m.info.SetDosTime(in.ConsumeIntegral<uint16_t>());
        m.info.SetAttributeText(in.ConsumeRandomLengthString(8));
        m.info.SetMemberPath(in.ConsumeRandomLengthString(64));
    }
    m.attribute = in.ConsumeIntegral<int>();
    return m;
}

const char* const kArchives[] = {"C:\\ARC\\A.LZH", "C:\\ARC\\A.CAB", "C:\\ARC\\A.TAR",
                                 "C:\\ARC\\A.ARJ", "C:\\ARC\\A.RAR", "C:\\ARC\\A.ZIP"};
const std::string kWork = "C:\\APP\\$VSWORK$";

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const char* archive = kArchives[in.ConsumeIntegralInRange(0, 5)];
    const int declared = in.ConsumeIntegralInRange(-2, 1 << 30);
    const auto sortType = static_cast<TArcSortType>(in.ConsumeIntegralInRange(0, 7));
    std::vector<Member> members;
    while (members.size() < 40 && in.remaining_bytes() > 0) members.push_back(ReadMember(in));

    FakePlatform fs;
    fs.AddFolder("C:\\APP");
    fs.AddFolder(kWork);
    fs.AddFolder("C:\\ARC");
    fs.AddFile(archive);
    RecordApi api(fs, members, declared < 0 ? static_cast<int>(members.size()) : declared);
    FakeHost archiveHost;
    TArchiveControl ac(api, archiveHost);
    ac.SilentMode = true;
    ac.LhaOptions.IgnoreBrokenHeader = declared == -2;

    ac.SetFileName(archive);
    FUZZ_CHECK(ac.Count() <= static_cast<int>(members.size()));
    for (int i = 0; i < ac.Count(); ++i) {
        TArchiveItem* item = ac.Items(i);
        FUZZ_CHECK(item->Path() + item->FileName() == item->MemberPath());
        FUZZ_CHECK(item->MemberPath().size() < kInfoPathCapacity);
        item->DateTime();
        item->TypeName();
        item->Attributes();
    }
    ac.Sort(sortType);
    ac.Sort(sortType);
    ac.List().TotalSize();

    FakeOperationHost host(fs);
    FakeTree tree;
    FakeList list;
    {
        TArchiveOperation op(host, fs);
        op.Control = &ac;
        op.Tree = &tree;
        op.List = &list;
        op.SetWorkFolder(kWork);
        op.ClearWorkFolderOnDestroy = true;
        op.Open(archive);
        // Every node once, nested archives opened (their copies list the same
        // members), each row's member extracted, rows sorted by each column.
        int visited = 0;
        for (TArchiveNode n = tree.First(); n && visited < 64; n = tree.Next(n), ++visited) {
            if (TArchiveNodeData* d = tree.Data(n); d && d->Kind == nkNested && visited < 8)
                op.OnExpanding(n);
            op.ShowList(n);
            FUZZ_CHECK(list.count == static_cast<int>(op.Rows().size()));
            for (std::size_t r = 0; r < op.Rows().size() && r < 4; ++r) {
                op.ExtractItem(&op.Rows()[r]);
                op.SelectNestedNode(op.Rows()[r]);
                op.LastExtracted();
            }
            SortArchiveRows(op.Rows(), visited % 8, visited % 2 == 0);
        }
    }
    return 0;
}
