#include "app/information_text.h"

#include "app/file_kind.h"
#include "base/sjis.h"
#include "base/strutil.h"

namespace {
const char* const kPressButton = "[SHIFT-RETURN]キーを押してください";
}

TGuidance GuidanceFor(std::string_view path) {
    const std::string ext = SjisUpperCase(ExtractFileExt(path));
    auto is = [&](std::initializer_list<const char*> exts) {
        for (const char* e : exts) {
            if (ext == e) return true;
        }
        return false;
    };
    if (is({".EXE", ".COM"})) {
        return {{"このファイルは、アプリケーションです", "実行する場合は、上のボタンを押すか、もしくは", kPressButton},
                "このファイルを実行する[SHIFT-RETURN]"};
    }
    if (is({".LNK"})) {
        return {{"このファイルは、アプリケーションのショートカットです",
                 "実行する場合は、上のボタンを押すか、もしくは", kPressButton},
                "このファイルを実行する[SHIFT-RETURN]"};
    }
    if (is({".SCR"})) {
        return {{"このファイルは、スクリーンセーバーと思われます",
                 "ご覧になりたい場合は、上のボタンを押すか、もしくは", kPressButton},
                "スクリーンセーバーを起動する[SHIFT-RETURN]"};
    }
    if (is({".HLP"})) {
        return {{"このファイルは、ヘルプファイルです", "ご覧になりたい場合は、上のボタンを押すか、もしくは",
                 kPressButton},
                "このヘルプファイルを見る[SHIFT-RETURN]"};
    }
    if (is({".SYS", ".DRV", ".VXD"})) {
        return {{"このファイルは、システムドライバです", "実行することは出来ません"}, ""};
    }
    if (is({".DLL", ".OCX", ".VBX"})) {
        return {{"このファイルは、アプリケーションが使用するファイルです", "単独で実行することは出来ません"}, ""};
    }
    if (is({".HTM", ".HTML"})) {
        return {{"このファイルは、ハイパーテキストです", "ご覧になりたい場合は、上のボタンを押すか、もしくは",
                 kPressButton},
                "このファイルを見る[SHIFT-RETURN]"};
    }
    // A substring test like the classification's, but on the bare extension:
    // an empty extension or "." would be found too, so those are kept out.
    if (ext.size() > 1 && std::string_view(kArchiveExts).find(ext) != std::string_view::npos) {
        return {{"このファイルは、アーカイブ(書庫)ファイルです",
                 "ファイルの内容をご覧になりたい場合は、上のファイルリストの",
                 "中のファイルをダブルクリックするか、または、[ALT-RETUEN]キーを", "を押してください",
                 "また、アーカイブの関連アプリケーションを起動したい場合は",
                 "上のボタン押すか、もしくは、[SHIFT-RETURN]キーを押してください"},
                "アーカイブの関連アプリケーションを起動する[SHIFT-RETURN]"};
    }
    if (is({".KVT_GUIDANCE"})) {
        return {{"Welcome to Quillmark.", "This Version is v1.00A."}, ""};
    }
    return {};
}

std::string JoinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& l : lines) text += l + "\r\n";
    return text;
}

std::vector<std::string> HyperlinkNoticeLines(bool on) {
    if (on) return {"URL,MAILアドレスの上でクリックすると", "そのアドレスにジャンプします"};
    return {"URL,MAILアドレスへのハイパーリンク機能を一時停止します"};
}

TInformationView InformationView(const std::vector<std::string>& lines, const std::string& caption) {
    TInformationView view;
    view.TitleShown = !JoinLines(lines).empty();
    view.ButtonShown = !Trim(caption).empty();
    if (view.ButtonShown) view.ButtonCaption = Format("%-60s", caption.c_str());
    const std::size_t shown = lines.size() < kInformationLabels ? lines.size() : kInformationLabels;
    view.Labels.assign(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(shown));
    return view;
}
