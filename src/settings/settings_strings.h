// The texts the settings dialog shows, in one place.
#pragma once

inline constexpr char kSetCaption[] = "Quillmark 設定ダイアログ";
inline constexpr char kPageText[] = "テキスト";
inline constexpr char kPageImage[] = "イメージ";
inline constexpr char kPageOther[] = "その他";

// --- text ----------------------------------------------------------------------
inline constexpr char kReadTextGroup[] = "テキストファイルの初期読込設定";
inline constexpr char kReadTextLimit[] = "テキストファイルを読み込む際のデフォルトサイズを設定する";
inline constexpr char kReadTextAdvice[] = "この値を小さくすると、初期のテキストファイル読込の処理速度が向上します";
inline constexpr char kHelpHint[] = "ヘルプ";
inline constexpr char kEditorGroup[] = "外部エディタの設定";
inline constexpr char kEditorLabel[] = "アプリケーション(*.exe)";
inline constexpr char kBrowse[] = "...";
inline constexpr char kEditorTitle[] = "エディタの実行ファイルを指定してください";
inline constexpr char kEditorFilter[] = "アプリケーション(*.exe)|*.exe";

// --- image ---------------------------------------------------------------------
inline constexpr char kImageGroup[] = "イメージファイルの自動サイズ設定";
inline constexpr char kImageAdjust[] = "イメージを、ウィンドと同サイズに自動拡縮する";

// --- other ---------------------------------------------------------------------
inline constexpr char kInformationGroup[] = "Quillmrak インフォメーションのスタイル";
inline constexpr char kWallpaperLabel[] = "壁紙";
inline constexpr char kWallpaperTitle[] = "壁紙用のイメージファイルを指定してください";
inline constexpr char kWallpaperFilter[] = "イメージファイル(*.bmp,*.jpg)|*.bmp;*.jpg";
inline constexpr char kInfoTitleColor[] = "インフォメーションタイトルのカラー";
inline constexpr char kInfoTitleSample[] = "【Quillmark インフォメーション】";
inline constexpr char kLaunchButtonColor[] = "ランチャーボタンのカラー";
inline constexpr char kLaunchButtonSample[] = "【...を実行する[SHIFT-RETURN]】";
inline constexpr char kGuidanceColor[] = "ガイダンステキストのカラー";
inline constexpr char kGuidanceSample[] = "【このファイルは....です】";
inline constexpr char kColorButton[] = "色";

// --- buttons and the hidden command --------------------------------------------
inline constexpr char kSave[] = "保存";
inline constexpr char kCancel[] = "キャンセル";
inline constexpr char kCommandTitle[] = "Quillmark Direction Command";
inline constexpr char kCommandPrompt[] = "Pls Input Your Demand";
