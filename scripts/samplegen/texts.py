"""Text samples. Every text is written here in Unicode and stored as CP932
with CRLF line ends, the way text files on Japanese Windows look."""

from .util import crlf, sjis


def encode(text):
    return sjis(crlf(text))


JAPANESE = """\
Quillmark サンプルテキスト（Shift-JIS / CP932）
==============================================

■ 文字の種類
漢字：春夏秋冬、東西南北、花鳥風月、温故知新。
ひらがな：あいうえお かきくけこ さしすせそ たちつてと なにぬねの
カタカナ：アイウエオ カキクケコ ヴァイオリン コーヒー
半角カナ：ｱｲｳｴｵ ｶﾞｷﾞｸﾞｹﾞｺﾞ ﾊﾟﾋﾟﾌﾟﾍﾟﾎﾟ ｰｰｰ｡｢｣､･
全角英数：ＡＢＣＤＥ ａｂｃｄｅ ０１２３４５６７８９
記号：①②③ ⅠⅡⅢ ㈱㈲ №℡ ※→←↑↓ ◎○●△▲□■ ～…
第２バイトが「\\」の文字：表示、ソフト、能力、十分、予定、構造、申請
機種依存の漢字：髙橋さん、山﨑さん、德永さん

■ 長い行（折り返しの確認用）
吾輩は猫である。名前はまだ無い。どこで生れたかとんと見当がつかぬ。何でも薄暗いじめじめした所でニャーニャー泣いていた事だけは記憶している。吾輩はここで始めて人間というものを見た。しかもあとで聞くとそれは書生という人間中で一番獰悪な種族であったそうだ。この書生というのは時々我々を捕えて煮て食うという話である。しかしその当時は何という考もなかったから別段恐しいとも思わなかった。ただ彼の掌に載せられてスーと持ち上げられた時何だかフワフワした感じがあったばかりである。「行頭に来てはいけない記号」、たとえば句読点（、。）や閉じ括弧」』）は、行の先頭に来ないように折り返されます。

Mixed line: Quillmark は Windows 用のファイルビューアです。English words and 日本語 can share one line without trouble, even when the line is very long and has to wrap somewhere in the middle of it.

■ リンク
ホームページ：https://www.example.com/quillmark/index.html
ダウンロード：http://example.jp/download/qm100a.lzh
ご意見・ご感想：support@example.com まで
FTP：ftp://ftp.example.net/pub/quillmark/

■ タブ区切りの表
名前\t種類\tサイズ
readme\tテキスト\t1 KB
photo.jpg\t画像\t25 KB
tune.mid\tMIDI\t1 KB
\t（先頭がタブの行）

■ 数字と括弧
価格は 1,980 円（税込み 2,178 円）です。[注1] {設定} <タグ>
計算：(1 + 2) * 3 = 9、 0x1F = 31、 3.14159

以上。
"""

C_SOURCE = r"""/*
 * hello.c -- Quillmark のサンプル C ソース
 *
 * コメント、文字列、数値、括弧の色分けを確認するためのファイルです。
 */
#include <stdio.h>
#include <string.h>

#define BUFFER_SIZE 256 /* バッファの大きさ */
#define VERSION "1.00A"

typedef struct tagPoint {
    int x;
    int y;
} Point;

// 二点間の距離の二乗を返す
static long distance2(const Point *a, const Point *b)
{
    long dx = (long)(a->x - b->x);
    long dy = (long)(a->y - b->y);
    return dx * dx + dy * dy;
}

int main(int argc, char *argv[])
{
    char buffer[BUFFER_SIZE];
    Point points[3] = {{0, 0}, {3, 4}, {-6, 8}};
    double ratio = 0.75;
    unsigned mask = 0xFF00u;
    int octal = 0755;
    int i;

    printf("Quillmark %s\n", VERSION);
    printf("こんにちは、世界！\n");
    printf("タブ\t改行\n引用符\"と円記号\\\n");
    strcpy(buffer, "表示テスト");  /* 「表」の第2バイトは 0x5C */

    for (i = 1; i < 3; i++) {
        if (distance2(&points[0], &points[i]) > 20L) {
            printf("point %d: (%d, %d) is far\n", i, points[i].x, points[i].y);
        } else {
            printf("point %d is near, ratio=%.2f\n", i, ratio * i);
        }
    }
    switch (argc) {
    case 1:
        puts("引数なし");
        break;
    default:
        printf("%d 個の引数 (mask=%#x, octal=%o, c='%c')\n", argc - 1, mask, octal, 'Q');
        break;
    }
    return (argc > 1 && argv[1][0] == '-') ? 1 : 0;
}
"""

README = """\
Quillmark サンプルフォルダ
==========================

このフォルダには、Quillmark で表示できる種類のファイルが入っています。
ファイルリストで選ぶと、右側のプレビューに内容が表示されます。
（このファイル自体も、拡張子のないテキストファイルの例です）

text\\            テキスト（Shift-JIS）
  japanese.txt     漢字・かな・半角カナ・URL・メールアドレス・タブ
  hello.c          C のソース（コメント、文字列、数値、括弧）
  build.log        ログファイル
  large.txt        約 200 KB の長いテキスト（部分読み込みの確認）
  limit_*.txt      読み込み上限 4 KB ちょうど・1 バイト超え・漢字の途中で切れるもの
  empty.txt        空のファイル
  表示テスト.txt   日本語の名前のファイル
日本語フォルダ\\  日本語の名前のフォルダ
images\\          画像（PNG・BMP・JPEG・GIF・ICO・WMF・EMF）
  png_*.png        色の種類・ビット数・インターレースの違う PNG
  anim.gif         GIF（GIF を画像として扱う設定のときだけ画像表示）
media\\           動画（AVI）・MIDI・WAVE
archives\\        書庫（LZH・CAB・TAR・ZIP、書庫の中の書庫）
  sample.tar.gz    拡張子 .gz は書庫として扱われず、テキストとして表示されます
other\\           HTML・実行ファイル・DLL・読み取り専用のファイル

これらのファイルはビルドの際にスクリプト（scripts/make_samples.py）で
作られます。ここで変更しても、次に作り直したときに元に戻ります。
"""

BUILD_LOG = """\
2024/04/01 12:30:00 [INFO ] ビルドを開始します (Quillmark 1.00A)
2024/04/01 12:30:00 [INFO ] 構成: Release / Win32
2024/04/01 12:30:01 [INFO ] コンパイル中: src\\app\\main.cpp
2024/04/01 12:30:02 [INFO ] コンパイル中: src\\textview\\row_list.cpp
2024/04/01 12:30:03 [WARN ] src\\textview\\row_list.cpp(120): 未使用の変数 'count'
2024/04/01 12:30:04 [INFO ] コンパイル中: src\\imageview\\png_reader.cpp
2024/04/01 12:30:05 [ERROR] src\\imageview\\png_reader.cpp(88): 'inflateInit' が見つかりません
2024/04/01 12:30:05 [INFO ] 再試行します (1/3)
2024/04/01 12:30:07 [INFO ] コンパイル中: src\\imageview\\png_reader.cpp
2024/04/01 12:30:09 [INFO ] リンク中: Quillmark.exe
2024/04/01 12:30:10 [INFO ] 完了: エラー 0、警告 1、所要時間 10 秒
"""

MEMO = """\
メモ
----
このファイルは「日本語フォルダ」の中にあります。
フォルダツリーで日本語の名前のフォルダを開けることを確かめてください。

・買い物：牛乳、卵、食パン
・来週の予定：月曜 10:00 打ち合わせ（会議室Ｂ）
"""

JAPANESE_NAME = """\
このファイルの名前は「表示テスト.txt」です。
「表」の Shift-JIS の第2バイトは 0x5C（円記号と同じ値）なので、
名前をパスの区切りと取り違えないことを確かめるのに使えます。
"""

READ_ONLY = """\
このファイルは読み取り専用です。
Quillmark はプレビューしたファイルを変更しません。
"""

HTML = """\
<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 4.01 Transitional//EN">
<html lang="ja">
<head>
<meta http-equiv="Content-Type" content="text/html; charset=Shift_JIS">
<title>Quillmark サンプルページ</title>
<style type="text/css">
body { font-family: "MS UI Gothic", sans-serif; background: #f8f8ff; }
h1 { color: #204080; }
</style>
</head>
<body>
<h1>Quillmark サンプルページ</h1>
<p>このページはハイパーテキストの例です。Quillmark では情報ペインに案内が表示され、
ボタンを押すと関連づけられたブラウザで開きます。</p>
<ul>
<li><a href="https://www.example.com/">リンクの例</a></li>
<li><a href="mailto:support@example.com">メールの例</a></li>
</ul>
<table border="1">
<tr><th>種類</th><th>拡張子</th></tr>
<tr><td>テキスト</td><td>.txt .c .log</td></tr>
<tr><td>画像</td><td>.bmp .png .jpg</td></tr>
<tr><td>書庫</td><td>.lzh .zip .cab .tar</td></tr>
</table>
</body>
</html>
"""

_SENTENCES = [
    "その日は朝から雨が降っていた。",
    "駅前の古い喫茶店には、いつもの顔ぶれが集まっていた。",
    "窓の外を、色とりどりの傘がゆっくりと通り過ぎていく。",
    "「今日は少し寒いですね」と店の主人が言った。",
    "彼は黙ってうなずき、冷めかけたコーヒーを一口飲んだ。",
    "机の上には、読みかけの文庫本と一枚の地図が置いてある。",
    "地図には、赤い鉛筆で小さな丸がいくつも描かれていた。",
    "遠くで電車の音がして、それから静かになった。",
    "ﾊﾝｶｸﾉ ｶﾀｶﾅ ﾓ ﾏｼﾞｯﾃｲﾙ｡",
    "Quillmark shows the first part of a large file quickly, and the rest on request.",
    "手紙の最後には、日付と名前だけが丁寧な字で書かれていた。",
    "夕方になると雨は上がり、西の空が少しだけ明るくなった。",
    "商店街の明かりが一つ、また一つと灯っていく。",
    "表計算ソフトの使い方を教えてほしい、と頼まれたのはその翌日のことだ。",
    "「十分に気をつけてください」という言葉が、なぜか耳に残った。",
]


def large_text(target_size=200 * 1024):
    """About target_size bytes of chapters and paragraphs, chosen from the
    sentence list by a fixed pseudo-random sequence."""
    state = 12345

    def rand(n):
        nonlocal state
        state = (state * 1103515245 + 12345) & 0x7FFFFFFF
        return (state >> 16) % n

    lines = ["長いテキストのサンプル", "======================", ""]
    size = 0
    chapter = 0
    while size < target_size:
        chapter += 1
        lines += ["", "第%d章" % chapter, ""]
        for _ in range(6 + rand(6)):
            para = "".join(_SENTENCES[rand(len(_SENTENCES))] for _ in range(2 + rand(8)))
            lines.append("　" + para)
        size = len(encode("\n".join(lines)))
    lines += ["", "（おわり）", ""]
    return encode("\n".join(lines))


def limit_texts(limit=4096):
    """Three files around the default partial-read limit: exactly the limit,
    one byte over, and one whose byte at the limit is a kanji's lead byte."""
    line = encode("このファイルは読み込み上限の確認用です。0123456789\n")
    body = (line * (limit // len(line) + 2))[:limit - 2]
    exact = body + b"\r\n"
    over = exact + b"X"
    # Fill to limit - 1 bytes with ASCII, then a double-byte character whose
    # lead byte is the limit-th byte and whose trail byte lies beyond it.
    head = body[:limit - 1 - 2]
    while head and (head[-1] >= 0x80):
        head = head[:-1]
    head = head + b"." * (limit - 1 - len(head))
    split = head + sjis("漢字") + b"\r\n"
    assert len(exact) == limit and len(over) == limit + 1 and split[limit - 1] == 0x8A
    return exact, over, split
