// qmtool text [OPTIONS] FILE: what the text engine makes of a file: the
// encoding it is read in (detected unless given), row and line counts,
// optionally every row (attribute, bracket state, bytes) and the tokens of
// every row.
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "app/text_encoding_choice.h"
#include "base/sjis.h"
#include "qmtool.h"
#include "textview/editor_model.h"
#include "textview/text_parser.h"

namespace {

const char kUsage[] =
    "[OPTIONS] FILE   rows of a file as the text view sees them\n"
    "      -n BYTES      read only the first BYTES bytes (set as Text)\n"
    "      -e NAME       read in this encoding (Shift_JIS, UTF-8, UTF-16LE, UTF-16BE,\n"
    "                    EUC-JP, JIS) instead of the detected one\n"
    "      -w WIDTH      word wrap at WIDTH columns (20..250)\n"
    "      --retmark --punct --leading --wordbreak   wrap rules on\n"
    "      --bracket L R  add a bracket pair (up to 14)\n"
    "      --comment S --quote C --hex P --control --url --mail   token rules\n"
    "      --tab N       tab width\n"
    "      --rows        print every row: attribute, bracket state, bytes\n"
    "      --tokens      print the tokens of every row: kind, offset, length";

const char* AttrName(TRowAttribute a) {
    switch (a) {
    case raCrlf: return "crlf";
    case raWrapped: return "wrap";
    case raEof: return "eof";
    default: return "invalid";
    }
}

// Printable ASCII and whole Shift-JIS characters as they are, the rest as \xNN.
std::string Escape(std::string_view s) {
    std::string out;
    char buf[8];
    for (std::size_t i = 0; i < s.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        unsigned char t = i + 1 < s.size() ? static_cast<unsigned char>(s[i + 1]) : 0;
        if (IsSjisLeadByte(c) && t >= 0x40 && t <= 0xFC && t != 0x7F) {
            out += s.substr(i, 2);
            ++i;
        } else if ((c >= 0x20 && c < 0x7F && c != '\\') || (c >= 0xA1 && c <= 0xDF)) {
            out += static_cast<char>(c);
        } else if (c == '\\') {
            out += "\\\\";
        } else {
            std::snprintf(buf, sizeof buf, "\\x%02X", c);
            out += buf;
        }
    }
    return out;
}

bool ReadPart(const std::string& path, long bytes, std::string& out) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    out.resize(static_cast<std::size_t>(bytes));
    out.resize(std::fread(&out[0], 1, out.size(), f));
    std::fclose(f);
    return true;
}

int Text(const std::vector<std::string>& args) {
    TTextEditorModel ed;
    std::string file;
    long part = -1;
    int wrap = 0;
    bool rows = false, tokens = false;
    TTextEncodingChoice choice;
    TTextEncoding encoding = teShiftJis;
    TTextEditorWrapOption& wo = ed.WrapOption();
    TTextEditorViewInfo& view = ed.View();
    try {
        for (std::size_t i = 0; i < args.size(); ++i) {
            const std::string& a = args[i];
            auto value = [&]() -> const std::string& {
                if (i + 1 >= args.size()) throw std::runtime_error(a + " needs a value");
                return args[++i];
            };
            if (a == "-n") part = std::atol(value().c_str());
            else if (a == "-e") {
                choice = TTextEncodingChoice::FromSetting(value());
                if (choice.Auto) throw std::runtime_error("unknown encoding " + args[i]);
            }
            else if (a == "-w") wrap = std::atoi(value().c_str());
            else if (a == "--retmark") wo.SetFollowRetMark(true);
            else if (a == "--punct") wo.SetFollowPunctuation(true);
            else if (a == "--leading") wo.SetLeading(true);
            else if (a == "--wordbreak") wo.SetWordBreak(true);
            else if (a == "--bracket") {
                std::string left = value();
                view.Brackets().Add(left, value());
            } else if (a == "--comment") view.SetCommenter(value());
            else if (a == "--quote") view.SetQuotation(value());
            else if (a == "--hex") view.SetHexPrefix(value());
            else if (a == "--control") view.SetControlCode(true);
            else if (a == "--url") view.SetUrl(true);
            else if (a == "--mail") view.SetMail(true);
            else if (a == "--tab") ed.Caret().SetTabSpaceCount(std::atoi(value().c_str()));
            else if (a == "--rows") rows = true;
            else if (a == "--tokens") tokens = true;
            else if (!a.empty() && a[0] == '-') throw std::runtime_error("unknown option " + a);
            else file = a;
        }
        if (file.empty()) throw std::runtime_error("no file given");
        if (wrap > 0) {
            wo.SetWrapByte(wrap);
            ed.SetWordWrap(true);
        }
        // As the preview reads it: the encoding from the first bytes of the
        // file, however many are shown.
        encoding = choice.ForFile(file);
        if (part >= 0) {
            std::string bytes;
            if (!ReadPart(file, part, bytes)) throw EFOpenError("Cannot open file \"" + file + "\"");
            ed.Lines().SetText(encoding == teShiftJis ? bytes : PartialText(bytes, encoding));
        } else {
            ed.Lines().LoadFromFile(file, encoding);
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "text: %s\n", e.what());
        return 1;
    }

    TTextEditorScreenStrings& list = ed.List();
    std::printf("encoding %s\n", TextEncodingName(encoding));
    std::printf("rows %d lines %d\n", list.Count(), ed.Lines().Count());
    for (int r = 0; r < list.Count() && (rows || tokens); ++r) {
        if (list.BracketState(r) == kBracketUnknown) list.UpdateBrackets(r, false);
        std::string_view text = list.Strings(r);
        if (rows)
            std::printf("%d\t%s\t%d\t%s\n", r, AttrName(list.Attribute(r)), list.BracketState(r),
                        Escape(text).c_str());
        if (tokens) {
            std::unique_ptr<TTextEditorParser> p = ed.CreateParser(list.BracketState(r), text);
            for (; p->Token() != tkEnd; p->NextToken())
                std::printf("  %s %d %d\n", TokenKindName(p->Token()), p->TokenOffset(),
                            p->TokenLength());
        }
    }
    return 0;
}

const QmCommand command("text", kUsage, Text);

} // namespace
