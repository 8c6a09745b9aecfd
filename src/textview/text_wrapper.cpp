#include "textview/text_wrapper.h"

#include <algorithm>

#include "base/sjis.h"
#include "textview/wrap_option.h"

WrapCharSet::WrapCharSet(std::string_view chars) {
    for (std::size_t i = 0; i < chars.size();) {
        std::size_t len = SjisCharLength(chars, i);
        if (len == 2)
            pairs_.push_back(static_cast<std::uint16_t>(
                (static_cast<unsigned char>(chars[i]) << 8) | static_cast<unsigned char>(chars[i + 1])));
        else
            singles_.set(static_cast<unsigned char>(chars[i]));
        i += len;
    }
    std::sort(pairs_.begin(), pairs_.end());
}

bool WrapCharSet::Has(std::string_view ch) const {
    if (ch.size() == 1) return singles_[static_cast<unsigned char>(ch[0])];
    if (ch.size() == 2) {
        auto code = static_cast<std::uint16_t>((static_cast<unsigned char>(ch[0]) << 8) |
                                               static_cast<unsigned char>(ch[1]));
        return std::binary_search(pairs_.begin(), pairs_.end(), code);
    }
    return false;
}

TextWrapper::TextWrapper(bool word_wrap, const TTextEditorWrapOption& o, int tab_space_count,
                         const TDelimiterSet& delimiters)
    : word_wrap_(word_wrap), follow_ret_mark_(o.FollowRetMark()),
      follow_punctuation_(o.FollowPunctuation()), leading_(o.Leading()),
      word_break_(o.WordBreak()), wrap_byte_(o.WrapByte()), follow_(o.FollowStr()),
      lead_(o.LeadStr()), punctuation_(o.PunctuationStr()) {
    layout_.tab_space_count = tab_space_count;
    layout_.wrap_byte = word_wrap ? wrap_byte_ : 0;
    layout_.delimiters = &delimiters;
    FillColumnCodes(delimiters, codes_);
    layout_.codes = codes_;
}

TextWrapper::TextWrapper(const TextWrapper& o)
    : word_wrap_(o.word_wrap_), follow_ret_mark_(o.follow_ret_mark_),
      follow_punctuation_(o.follow_punctuation_), leading_(o.leading_),
      word_break_(o.word_break_), wrap_byte_(o.wrap_byte_), follow_(o.follow_), lead_(o.lead_),
      punctuation_(o.punctuation_), layout_(o.layout_) {
    std::copy(o.codes_, o.codes_ + 256, codes_);
    layout_.codes = codes_;
}

int TextWrapper::WrapLine(std::string_view line, std::vector<WrapPiece>* out) {
    const int wb = wrap_byte_;
    auto emit = [out](std::size_t off, std::size_t len, TRowAttribute a) {
        if (out)
            out->push_back(WrapPiece{static_cast<std::uint32_t>(off), static_cast<std::uint32_t>(len), a});
    };
    if (!word_wrap_ || (line.size() < static_cast<std::size_t>(wb) &&
                        line.find('\t') == std::string_view::npos)) {
        emit(0, line.size(), raCrlf);
        return 1;
    }
    BuildColumnMap(line, layout_, map_);
    const int w = static_cast<int>(map_.size());
    if (w < wb) {
        emit(0, line.size(), raCrlf);
        return 1;
    }

    auto is_break = [](char c) { return c == '2' || c == '3' || c == '5'; };
    TTextEditorAttributeArray cur(line, map_);
    cur.MoveTo(wb);
    int row_start = 1, byte_start = 1, rows = 0;
    std::size_t last_piece = out ? out->size() : 0;
    const int limit = (wb / 5) * 4;

    while (cur.Code() != '0') {
        if (cur.Code() == '4') {
            cur.Prev();
        } else if (w > wb && word_break_) {
            int wanted = cur.Column();
            while (!is_break(cur.Code()) && cur.Column() - row_start > wb / 3) {
                cur.Prev();
                if (cur.Code() == '4') cur.Prev();
            }
            // No break point in the row: an unbroken run is cut at the width.
            if (!is_break(cur.Code())) cur.MoveTo(wanted);
        }
        if (follow_punctuation_) {
            while (cur.Column() - row_start < wb + 2) {
                std::string_view next = cur.NextChar();
                if (!punctuation_.Has(next)) break;
                for (std::size_t k = 0; k < next.size(); ++k) cur.Next();
            }
        }
        if (leading_ && w > cur.Column()) {
            while (cur.Column() - row_start >= limit && lead_.Has(cur.CurrentChar()))
                cur.StepBackChar();
            if (w > cur.Column() + 1) {
                std::string_view next = cur.NextChar();
                if (follow_.Has(next)) {
                    std::string_view c = cur.CurrentChar();
                    while (cur.Column() - row_start >= limit && (lead_.Has(c) || follow_.Has(next))) {
                        cur.StepBackChar();
                        next = c;
                        c = cur.CurrentChar();
                    }
                }
            }
        }
        int len = std::max(0, cur.ByteIndex() - byte_start + 1);
        last_piece = out ? out->size() : 0;
        emit(static_cast<std::size_t>(byte_start - 1), static_cast<std::size_t>(len), raWrapped);
        ++rows;
        byte_start = cur.ByteIndex() + 1;
        row_start = cur.Column() + 1;
        cur.MoveTo(cur.Column() + wb);
    }
    if (row_start <= w) {
        std::size_t off = std::min(line.size(), static_cast<std::size_t>(byte_start - 1));
        emit(off, line.size() - off, raCrlf);
        ++rows;
    } else if (follow_ret_mark_) {
        if (out && rows > 0) (*out)[last_piece].attribute = raCrlf;
    } else {
        emit(line.size(), 0, raCrlf);
        ++rows;
    }
    return rows;
}
