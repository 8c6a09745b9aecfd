// Helpers shared by the text engine tests.
#pragma once
#include <cstdio>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "textview/editor_model.h"

struct RowView {
    std::string text;
    TRowAttribute attr;
    bool operator==(const RowView& o) const { return text == o.text && attr == o.attr; }
};

inline std::vector<RowView> RowsOf(const TTextEditorStringList& list) {
    std::vector<RowView> rows;
    for (int i = 0; i < list.Count(); ++i)
        rows.push_back(RowView{std::string(list.Strings(i)), list.Attribute(i)});
    return rows;
}

inline std::ostream& operator<<(std::ostream& os, const RowView& r) {
    return os << "{\"" << r.text << "\", " << static_cast<int>(r.attr) << "}";
}

// A file in the temporary folder, removed again when the object goes.
class TempFile {
public:
    explicit TempFile(const std::string& bytes, const std::string& name = "qm_text_test.txt") {
        path_ = (std::filesystem::temp_directory_path() / name).string();
        std::FILE* f = std::fopen(path_.c_str(), "wb");
        if (f) {
            std::fwrite(bytes.data(), 1, bytes.size(), f);
            std::fclose(f);
        }
    }
    ~TempFile() { std::remove(path_.c_str()); }
    const std::string& path() const { return path_; }

private:
    std::string path_;
};
