#!/usr/bin/env python3
"""Reads the built help file back with libchm's extract_chmLib and checks
that every help context the program opens leads to its topic, that the key
guide lists every key of the main window's key table, and that the contents
and the links of the topics all lead somewhere."""
import argparse
import html
import os
import re
import struct
import subprocess
import sys
import tempfile

failures = []
passed = 0


def check(ok, what):
    global passed
    if ok:
        passed += 1
    else:
        failures.append(what)
    return ok


def context_map(folder):
    """{context number: topic} from the #IVB and #STRINGS streams."""
    with open(os.path.join(folder, "#IVB"), "rb") as f:
        ivb = f.read()
    with open(os.path.join(folder, "#STRINGS"), "rb") as f:
        strings = f.read()
    (size,) = struct.unpack_from("<I", ivb)
    check(size == len(ivb) - 4, "#IVB length field is %d for %d bytes" % (size, len(ivb) - 4))
    found = {}
    for i in range(size // 8):
        number, offset = struct.unpack_from("<II", ivb, 4 + 8 * i)
        end = strings.index(b"\0", offset)
        found[number] = strings[offset:end].decode("cp932")
    return found


def contexts_the_program_opens(sources):
    numbers = set()
    for root, _, names in os.walk(sources):
        for name in names:
            if not name.endswith(".cpp"):
                continue
            with open(os.path.join(root, name), encoding="utf-8") as f:
                text = f.read()
            numbers.update(int(n) for n in re.findall(r"HelpContext\((\d+)\)", text))
            numbers.update(int(n) for n in re.findall(r"Fire\(Help, (\d+)\)", text))
    return numbers


def key_names_and_actions(path):
    """The name and action strings of every key line, read plainly."""
    with open(path, encoding="utf-8") as f:
        text = f.read()
    keys = re.findall(r'QM_KEY\([^"]*"([^"]*)",\s*"[^"]*",\s*"([^"]*)"\)', text)
    menu = re.findall(r'QM_MENU_KEY\(\w+,[^"]*"([^"]*)",\s*"([^"]*)"\)', text)
    return keys + menu


def text_of(page):
    return html.unescape(re.sub(r"<[^>]+>", "", page))


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--chm", required=True)
    ap.add_argument("--extract", default="extract_chmLib")
    ap.add_argument("--keys", required=True)
    ap.add_argument("--sources", required=True)
    a = ap.parse_args()

    with tempfile.TemporaryDirectory() as out:
        run = subprocess.run([a.extract, a.chm, out], capture_output=True, text=True)
        if run.returncode != 0:
            print(run.stdout + run.stderr)
            print("0 passed, 1 failed")
            return 1
        pages = {}
        for name in os.listdir(out):
            if name.endswith(".htm") or name.endswith(".hhc"):
                with open(os.path.join(out, name), "rb") as f:
                    raw = f.read()
                try:
                    pages[name] = raw.decode("cp932")
                except UnicodeDecodeError as e:
                    check(False, "%s is not Shift-JIS: %s" % (name, e))
        contexts = context_map(out)

    # Every context the program opens leads to a topic that is in the file.
    wanted = contexts_the_program_opens(a.sources)
    check(wanted >= {1, 2, 3, 5}, "the program opens contexts %s" % sorted(wanted))
    for number in sorted(wanted):
        topic = contexts.get(number)
        if check(topic is not None, "context %d is not in the map" % number):
            check(topic in pages, "context %d names %s, which is not in the file" % (number, topic))
    check(all(not t.startswith("/") and "\\" not in t for t in contexts.values()),
          "context topics carry a path: %s" % contexts)

    def page_for(number):
        return text_of(pages.get(contexts.get(number), ""))

    # Each topic is about what its context is opened from.
    check("<title>Quillmark ヘルプ</title>" in pages.get(contexts.get(1), ""), "context 1 is not the help's first page")
    guide = page_for(2)
    check("ショートカットキーガイド" in guide, "context 2 is not the key guide")
    keys = key_names_and_actions(a.keys)
    check(len(keys) >= 20, "only %d keys read from the key table" % len(keys))
    for name, action in keys:
        check(name in guide and action in guide, "the key guide lacks %s (%s)" % (name, action))
    for key in ("A", "B"):
        check(re.search(r"\b%s\b" % key, guide) is not None, "the key guide lacks the %s key" % key)
    search = page_for(3)
    for words in ("ファイル サーチユーティリティ", "指定例 (XLS)", "指定例 (*.XLS)", "サブフォルダも探す", "中止"):
        check(words in search, "the search topic lacks %s" % words)
    settings = page_for(5)
    for words in ("テキストファイルの初期読込設定", "512KB", "外部エディタ", "壁紙"):
        check(words in settings, "the settings topic lacks %s" % words)

    # The pages say their code page, and the contents and links lead to pages.
    topics = [n for n in pages if n.endswith(".htm")]
    check(len(topics) >= 5, "only %d topics" % len(topics))
    for name in topics:
        check('charset=Shift_JIS' in pages[name], "%s does not say its code page" % name)
        for target in re.findall(r'href="([^"#]+)', pages[name]):
            check(target in pages, "%s links to %s, which is not in the file" % (name, target))
    listed = re.findall(r'<param name="Local" value="([^"]+)">', pages.get("toc.hhc", ""))
    check(sorted(listed) == sorted(topics), "the contents list %s, the file holds %s" % (listed, topics))

    for f in failures:
        print("FAILED:", f)
    print("help: %d passed, %d failed" % (passed, len(failures)))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
