// Real folders for the Win32 tests of the search engine, and the message
// box recorder.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../app/temp_folder.h"
#include "ui/forms.h"

inline void MakeFile(const std::string& path, std::size_t size = 0) {
    TempFolder::WriteFile(path, std::string(size, 'x'));
}

// Records the message boxes and answers them with `answer`.
class BoxRecorder {
public:
    explicit BoxRecorder(int answer = IDYES) {
        SetMessageBoxHook([this, answer](UINT, const std::string& text, UINT flags) {
            texts.push_back(text);
            this->flags.push_back(flags);
            return answer;
        });
    }
    ~BoxRecorder() { SetMessageBoxHook(nullptr); }
    BoxRecorder(const BoxRecorder&) = delete;
    BoxRecorder& operator=(const BoxRecorder&) = delete;
    std::vector<std::string> texts;
    std::vector<UINT> flags;
};
