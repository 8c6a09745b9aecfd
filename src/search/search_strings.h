// The texts the search and folder-shortcut window shows, in one place.
#pragma once

// --- captions ----------------------------------------------------------------
inline constexpr char kShortcutCaption[] = "フォルダ ショートカットユーティリティ";
inline constexpr char kSearchCaption[] = "ファイル サーチユーティリティ";

// --- the shortcut page ---------------------------------------------------------
inline constexpr char kSourceFolderCaption[] = "現在の選択フォルダ : ";
inline constexpr char kAddShortcut[] = "このフォルダをショートカットアクセスのリスト追加する";
inline constexpr char kDeleteSelectedMenu[] = "選択フォルダを削除";
inline constexpr char kShortcutColumn[] = "ショートカットアクセスフォルダ";
inline constexpr char kGuideDblClick[] = "ダブルクリックでショートカットアクセスします";
inline constexpr char kDeleteSelectedButton[] = "選択フォルダをリストから削除";
inline constexpr char kAutoClose[] = "自動で閉じる";
inline constexpr char kClose[] = "閉じる";

// --- the search page -------------------------------------------------------------
inline constexpr char kHitCaption[] = "作業状況:";
inline constexpr char kBusyCaption[] = "作業状況";
inline constexpr char kSearchPlace[] = "探す場所";
inline constexpr char kSearchSubfolders[] = "サブフォルダも探す(&S)";
inline constexpr char kByExtension[] = "ファイルの種類(拡張子)で探す";
inline constexpr char kByWildcard[] = "ワイルドカードで探す";
inline constexpr char kWildExample[] = "指定例 (*.XLS)";
inline constexpr char kOtherExtensions[] = "上記以外の拡張子";
inline constexpr char kUserExtension[] = "ユーザ指定";
inline constexpr char kUserExample[] = "指定例 (XLS)";
inline constexpr char kStartSearch[] = "検索開始";
inline constexpr char kStopSearch[] = "中止";
inline constexpr char kHelp[] = "ヘルプ";
inline constexpr char kCheckAllHint[] = "全てをチェックします";
inline constexpr char kClearAllHint[] = "全てのチェックを外します";
inline constexpr char kSearchGroupImages[] = "画像ファイル";
inline constexpr char kSearchGroupMovies[] = "ムービー";
inline constexpr char kSearchGroupSound[] = "サウンド・ミュージック";
inline constexpr char kSearchGroupPrograms[] = "プログラム・ヘルプ・テキスト";
inline constexpr char kSearchGroupArchives[] = "圧縮アーカイブ";

// --- progress and results --------------------------------------------------------
inline constexpr char kCancelled[] = "作業を中止しました";
inline constexpr char kNotFound[] = "見つかりませんでした";
inline constexpr char kNothingFound[] = "ご希望のファイルは見つかりませんでした";
inline constexpr char kFilesFound[] = "個のファイル";

// --- refusals of the search input ------------------------------------------------
inline constexpr char kUserExtensionBlank[] =
    "拡張子の[ユーザ指定]がチェックされていますが\r拡張子が指定されていません\r\r"
    "拡張子を指定するか、もしくは[ユーザ指定]の\rチェックを外してください";
inline constexpr char kNoExtensionChecked[] = "お好みの拡張子のチェックボックスをチェックしてください";
inline constexpr char kNoWildcard[] = "ワイルドカードを指定してください";
inline constexpr char kNoFolder[] = "探したい場所(フォルダ)を指定してください";

// --- questions about a shortcut --------------------------------------------------
// Each names the folder: before + path + after.
inline constexpr char kMissingShortcutBefore[] = "ﾌｫﾙﾀﾞ ";
inline constexpr char kMissingShortcutAfter[] = "が\r見つかりません\r\rこのﾌｫﾙﾀﾞを削除しますか？";
inline constexpr char kRemoveShortcutAfter[] = "を\rショートカットリストから削除します\r\rよろいしですか？";
inline constexpr char kRemoveSelectedShortcut[] =
    "選択されているフォルダを、ショートカット\rアクセスのリストから削除します\r\r本当によろしいですか？";
