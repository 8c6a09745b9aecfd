// A member tree and list without windows, and a platform for the archive
// operation backed by the in-memory file system of the search tests.
#pragma once
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "../search/fake_platform.h"
#include "archive/archive_operation_ports.h"
#include "base/sjis.h"

class FakeTree : public TArchiveTreePort {
public:
    struct Node {
        Node* parent = nullptr;
        std::vector<Node*> children;
        std::string text;
        int image = 0, selected_image = 0;
        TArchiveNodeData* data = nullptr;
        bool has_children = false, expanded = false;
    };
    std::function<void(Node*)> on_change; // the selection handler, when attached
    Node* selected = nullptr;
    int updates = 0, clears = 0;

    void BeginUpdate() override { ++updates; }
    void EndUpdate() override { --updates; }
    void Clear() override {
        ++clears;
        nodes_.clear();
        tops_.clear();
        selected = nullptr;
    }
    TArchiveNode AddChild(TArchiveNode parent, const std::string& text, int image, int sel,
                          TArchiveNodeData* data, bool has_children) override {
        nodes_.push_back(Node{});
        Node* n = &nodes_.back();
        n->parent = static_cast<Node*>(parent);
        n->text = text;
        n->image = image;
        n->selected_image = sel;
        n->data = data;
        n->has_children = has_children;
        (n->parent ? n->parent->children : tops_).push_back(n);
        return n;
    }
    TArchiveNodeData* Data(TArchiveNode n) override { return N(n)->data; }
    std::string Text(TArchiveNode n) override { return N(n)->text; }
    TArchiveNode Parent(TArchiveNode n) override { return N(n)->parent; }
    TArchiveNode First() override { return tops_.empty() ? nullptr : tops_[0]; }
    TArchiveNode Next(TArchiveNode node) override {
        Node* n = N(node);
        if (!n->children.empty()) return n->children[0];
        for (; n; n = n->parent) {
            const auto& sib = n->parent ? n->parent->children : tops_;
            for (std::size_t i = 0; i + 1 < sib.size(); ++i)
                if (sib[i] == n) return sib[i + 1];
        }
        return nullptr;
    }
    TArchiveNode FirstChild(TArchiveNode n) override {
        return N(n)->children.empty() ? nullptr : N(n)->children[0];
    }
    void SetHasChildren(TArchiveNode n, bool has) override { N(n)->has_children = has; }
    void Select(TArchiveNode n) override {
        selected = N(n);
        if (on_change) on_change(selected);
    }
    void ExpandQuietly(TArchiveNode n) override { N(n)->expanded = true; }
    void MakeVisible(TArchiveNode) override {}
    bool HasChangeHandler() override { return static_cast<bool>(on_change); }

    int Count() const { return static_cast<int>(nodes_.size()); }
    // The tree in tree order as "  " per level + caption.
    std::vector<std::string> Outline() {
        std::vector<std::string> v;
        for (TArchiveNode n = First(); n; n = Next(n)) {
            int level = 0;
            for (Node* p = N(n)->parent; p; p = p->parent)
                ++level;
            v.push_back(std::string(2 * level, ' ') + N(n)->text);
        }
        return v;
    }
    Node* Find(const std::string& text) {
        for (TArchiveNode n = First(); n; n = Next(n))
            if (N(n)->text == text) return N(n);
        return nullptr;
    }

private:
    static Node* N(TArchiveNode n) { return static_cast<Node*>(n); }
    std::deque<Node> nodes_;
    std::vector<Node*> tops_;
};

class FakeList : public TArchiveListPort {
public:
    int count = -1, begins = 0;
    void BeginRows() override {
        ++begins;
        count = 0;
    }
    void EndRows(int n) override { count = n; }
};

// The operation's platform on top of the in-memory file system.
class FakeOperationHost : public TArchiveOperationHost {
public:
    explicit FakeOperationHost(FakePlatform& fs) : fs_(fs) {}
    struct Box {
        unsigned beep;
        std::string text;
    };
    std::vector<Box> boxes;
    std::vector<std::string> renamed;
    int hourglass = 0, icon_questions = 0;

    bool FileExists(const std::string& p) override { return fs_.Exists(p) && !IsDir(p); }
    bool DirectoryExists(const std::string& p) override { return fs_.DirectoryExists(p); }
    bool RemoveFile(const std::string& p) override { return fs_.RemoveFile(p); }
    bool MakeFolder(const std::string& p) override {
        fs_.AddFolder(p);
        return true;
    }
    bool RemoveFolder(const std::string& p) override { return IsDir(p) && fs_.RemoveFile(p); }
    bool RenameFile(const std::string& from, const std::string& to) override {
        if (!FileExists(from)) return false;
        fs_.RemoveFile(from);
        fs_.AddFile(to);
        renamed.push_back(from + " -> " + to);
        return true;
    }
    void ErrorBox(unsigned beep, const std::string& text) override {
        boxes.push_back({beep, text});
    }
    void BeginHourglass() override { ++hourglass; }
    void EndHourglass() override { --hourglass; }
    int SmallIconIndex(const std::string&) override {
        ++icon_questions;
        return 9;
    }

private:
    bool IsDir(const std::string& p) { return fs_.DirectoryExists(p); }
    FakePlatform& fs_;
};
