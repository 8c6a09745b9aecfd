// What the archive operation needs around it: the member tree, the member
// list and a few platform services, as small interfaces so the operation's
// logic runs (and is tested) without windows.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Kinds of member-tree nodes.
enum TArchiveNodeKind : std::uint8_t { nkRoot, nkAllFiles, nkFolder, nkNested };

// What each node of the member tree carries.
struct TArchiveNodeData {
    TArchiveNodeKind Kind = nkRoot;
    // 1 when the node's contents are known; 0 for a nested archive not yet opened.
    std::uint8_t Listed = 1;
    // Upper-cased path of the archive the node belongs to; for a nested
    // archive that is the archive that holds it.
    std::string Archive;
    // Folder inside that archive, '/'-separated with a trailing '/'; empty
    // for the root, the all-files entry and nested archives.
    std::string Path;
    // Nested archive: where its own copy is extracted to, a file directly
    // in the work folder: work folder + name, or + name with a number
    // ("inner(2).zip") when another nested archive of the tree has the name.
    std::string Extracted;
    // Nested archive: its full member name inside the archive that holds
    // it, as the library reported it (folders included).
    std::string Member;
};

// Opaque node handle of the tree behind the port.
using TArchiveNode = void*;

class TArchiveTreePort {
public:
    virtual ~TArchiveTreePort() = default;
    virtual void BeginUpdate() = 0;
    virtual void EndUpdate() = 0;
    // Removes every node without telling the change handler.
    virtual void Clear() = 0;
    // Adds a node at the end of parent's children (null parent: a top node).
    virtual TArchiveNode AddChild(TArchiveNode parent, const std::string& text, int image,
                                  int selectedImage, TArchiveNodeData* data, bool hasChildren) = 0;
    virtual TArchiveNodeData* Data(TArchiveNode node) = 0;
    virtual std::string Text(TArchiveNode node) = 0;
    virtual TArchiveNode Parent(TArchiveNode node) = 0;
    virtual TArchiveNode First() = 0;
    // Next node in tree order (children first), expanded or not.
    virtual TArchiveNode Next(TArchiveNode node) = 0;
    virtual TArchiveNode FirstChild(TArchiveNode node) = 0;
    virtual void SetHasChildren(TArchiveNode node, bool has) = 0;
    virtual void Select(TArchiveNode node) = 0;
    // Opens a node one level without asking the expanding handler.
    virtual void ExpandQuietly(TArchiveNode node) = 0;
    virtual void MakeVisible(TArchiveNode node) = 0;
    // Whether a selection change handler is attached.
    virtual bool HasChangeHandler() = 0;
};

// One row of the member list.
struct TArchiveRow {
    std::string Caption; // member name
    std::vector<std::string> SubItems;
    int ImageIndex = -1;
    // Upper-cased path of the archive file that holds the member.
    std::string Archive;
    std::string Name;
    // Folder of the member as the library reported it (used to extract it).
    std::string Path;
    bool Encrypted = false;
    // Larger than this build extracts; never handed to the library.
    bool TooLarge = false;
};

// The member list shows the operation's rows.
class TArchiveListPort {
public:
    virtual ~TArchiveListPort() = default;
    // The rows are about to be replaced: show none, without telling the
    // change handler.
    virtual void BeginRows() = 0;
    // The rows are complete.
    virtual void EndRows(int count) = 0;
};

class TArchiveOperationHost {
public:
    virtual ~TArchiveOperationHost() = default;
    virtual bool FileExists(const std::string& path) = 0;
    virtual bool DirectoryExists(const std::string& path) = 0;
    // Removes one of our extracted copies; false when it stays.
    virtual bool RemoveFile(const std::string& path) = 0;
    // A folder of our own in the work folder, made and removed again while
    // a nested archive is extracted under a name of its own.
    virtual bool MakeFolder(const std::string& path) = 0;
    virtual bool RemoveFolder(const std::string& path) = 0;
    // Moves a file within the work folder, replacing one at the destination.
    virtual bool RenameFile(const std::string& from, const std::string& to) = 0;
    // An error box with OK only; beep 0 means no sound before it.
    virtual void ErrorBox(unsigned beep, const std::string& text) = 0;
    virtual void BeginHourglass() = 0;
    virtual void EndHourglass() = 0;
    // Small system icon of a file name (by its extension, normal attributes).
    virtual int SmallIconIndex(const std::string& name) = 0;
};
