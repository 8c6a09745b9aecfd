#!/usr/bin/env python3
"""Builds Quillmark.chm, the program's HTML Help file.

The topics are written in UTF-8 under help/topics; the key guide's tables
come from src/app/main_keys.inc, the table the main window's keys are built
from. The pages are written in Shift-JIS (the program's code page), compiled
with chmcmd, and the context map is then put right (see chm_contexts.py).

usage: build_help.py --chmcmd PATH --keys main_keys.inc --work DIR --out FILE.chm
"""
import argparse
import html
import os
import re
import shutil
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import chm_contexts  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
TOPICS_DIR = os.path.join(HERE, "topics")

# (page in the help file, source, context number or None), in the order
# of the table of contents. The program opens these numbers: 1 from "ヘルプ"
# and F1, 2 from the key guide item, 3 from the search window, 5 from the
# read-size hint of the settings dialog.
TOPICS = [
    ("index.htm", "index.html", 1),
    ("keys.htm", "keys.html", 2),
    ("viewing.htm", "viewing.html", None),
    ("search.htm", "search.html", 3),
    ("settings.htm", "settings.html", 5),
]

STYLE = """body { font-family: "ＭＳ Ｐゴシック", sans-serif; font-size: 10pt; margin: 12px; }
h1 { font-size: 14pt; color: #00308a; border-bottom: 2px solid #00308a; }
h2 { font-size: 11pt; color: #00308a; margin-top: 18px; }
table { border-collapse: collapse; margin: 6px 0; }
th, td { border: 1px solid #a0a8c0; padding: 3px 8px; text-align: left; vertical-align: top; }
th { background: #e4e8f4; }
td.key { white-space: nowrap; font-weight: bold; }
p.note { color: #505050; }"""


def c_arguments(text, start):
    """The top-level arguments of the macro call whose '(' is at start, and
    the index after its ')'."""
    args, current, depth, i = [], "", 0, start + 1
    while i < len(text):
        ch = text[i]
        if ch == '"':
            end = i + 1
            while text[end] != '"':
                end += 2 if text[end] == "\\" else 1
            current += text[i:end + 1]
            i = end + 1
            continue
        if ch == "(":
            depth += 1
        elif ch == ")":
            if depth == 0:
                args.append(current.strip())
                return args, i + 1
            depth -= 1
        elif ch == "," and depth == 0:
            args.append(current.strip())
            current = ""
            i += 1
            continue
        current += ch
        i += 1
    raise ValueError("unterminated macro call")


def c_string(arg):
    m = re.fullmatch(r'"((?:[^"\\]|\\.)*)"', arg)
    if not m:
        raise ValueError("expected a string literal: " + arg)
    return m.group(1).encode("utf-8").decode("unicode_escape").encode("latin-1").decode("utf-8")


def read_key_table(path):
    """The main window's keys and the menu shortcuts, as the guide shows them."""
    with open(path, encoding="utf-8") as f:
        text = "\n".join(line for line in f.read().splitlines() if not line.lstrip().startswith("//"))
    keys, menu = [], []
    for m in re.finditer(r"\b(QM_KEY|QM_MENU_KEY)\s*\(", text):
        args, _ = c_arguments(text, m.end() - 1)
        if m.group(1) == "QM_KEY":
            if len(args) != 8:
                raise ValueError("QM_KEY takes 8 arguments: %r" % args)
            keys.append((c_string(args[5]), c_string(args[6]), c_string(args[7])))
        else:
            if len(args) != 4:
                raise ValueError("QM_MENU_KEY takes 4 arguments: %r" % args)
            menu.append((c_string(args[2]), c_string(args[3])))
    if not keys or not menu:
        raise ValueError("no keys found in " + path)
    return keys, menu


def key_tables(keys, menu):
    rows = ["<table>", "<tr><th>キー</th><th>使える時</th><th>働き</th></tr>"]
    for name, condition, action in keys:
        rows.append('<tr><td class="key">%s</td><td>%s</td><td>%s</td></tr>' % (
            html.escape(name), html.escape(condition) or "いつでも", html.escape(action)))
    rows.append("</table>")
    main = "\n".join(rows)
    rows = ["<table>", "<tr><th>キー</th><th>働き</th></tr>"]
    for name, action in menu:
        rows.append('<tr><td class="key">%s</td><td>%s</td></tr>' % (html.escape(name), html.escape(action)))
    rows.append("</table>")
    return main, "\n".join(rows)


def title_of(body, source):
    m = re.search(r"<h1>(.*?)</h1>", body, re.S)
    if not m:
        raise ValueError(source + " has no <h1> title")
    return re.sub(r"<[^>]+>", "", m.group(1)).strip()


def page(title, body):
    return ('<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 4.01 Transitional//EN">\n<html>\n<head>\n'
            '<meta http-equiv="Content-Type" content="text/html; charset=Shift_JIS">\n'
            "<title>%s</title>\n<style type=\"text/css\">\n%s\n</style>\n</head>\n<body>\n%s\n</body>\n</html>\n"
            % (html.escape(title), STYLE, body.strip()))


def sitemap(entries):
    items = "\n".join(
        '<li><object type="text/sitemap"><param name="Name" value="%s"><param name="Local" value="%s"></object>'
        % (html.escape(title, quote=True), name) for name, title in entries)
    return ('<!DOCTYPE HTML PUBLIC "-//IETF//DTD HTML//EN">\n<html>\n<head>\n'
            '<meta http-equiv="Content-Type" content="text/html; charset=Shift_JIS">\n</head>\n<body>\n'
            '<object type="text/site properties"><param name="ImageType" value="Folder"></object>\n'
            "<ul>\n%s\n</ul>\n</body>\n</html>\n" % items)


def write_cp932(path, text):
    # Strict: a character that Shift-JIS cannot hold stops the build.
    with open(path, "wb") as f:
        f.write(text.replace("\n", "\r\n").encode("cp932"))


def project(topics, chm_name):
    files = "\n".join(name for name, _, _ in topics)
    aliases = "\n".join("IDH_%d=%s" % (context, name) for name, _, context in topics if context)
    defines = "\n".join("#define IDH_%d %d" % (context, context) for _, _, context in topics if context)
    return ("[OPTIONS]\nCompatibility=1.1 or later\nCompiled file=%s\nContents file=toc.hhc\n"
            "Default topic=index.htm\nDisplay compile progress=No\nBinary TOC=No\nBinary Index=No\n"
            "Full-text search=No\nLanguage=0x411 Japanese\nTitle=Quillmark ヘルプ\n\n"
            "[FILES]\n%s\n\n[ALIAS]\n%s\n\n[MAP]\n%s\n" % (chm_name, files, aliases, defines))


def build(chmcmd, keys_path, work, out):
    keys, menu = read_key_table(keys_path)
    main_table, menu_table = key_tables(keys, menu)
    if os.path.isdir(work):
        shutil.rmtree(work)
    os.makedirs(work)
    toc = []
    for name, source, _ in TOPICS:
        with open(os.path.join(TOPICS_DIR, source), encoding="utf-8") as f:
            body = f.read()
        if source == "keys.html":
            if "<!-- main-keys -->" not in body or "<!-- menu-keys -->" not in body:
                raise ValueError("keys.html lacks its table places")
            body = body.replace("<!-- main-keys -->", main_table).replace("<!-- menu-keys -->", menu_table)
        title = title_of(body, source)
        write_cp932(os.path.join(work, name), page(title, body))
        toc.append((name, title))
    write_cp932(os.path.join(work, "toc.hhc"), sitemap(toc))
    chm_name = "help.chm"
    write_cp932(os.path.join(work, "help.hhp"), project(TOPICS, chm_name))
    run = subprocess.run([chmcmd, "--no-html-scan", "help.hhp"], cwd=work, capture_output=True, text=True,
                         errors="replace")
    built = os.path.join(work, chm_name)
    if run.returncode != 0 or not os.path.isfile(built):
        sys.stderr.write(run.stdout + run.stderr)
        raise SystemExit("chmcmd failed")
    contexts = {context: name for name, _, context in TOPICS if context}
    chm_contexts.rewrite(built, contexts, os.path.abspath(work) + "/")
    shutil.copyfile(built, out)


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--chmcmd", default="chmcmd")
    ap.add_argument("--keys", required=True)
    ap.add_argument("--work", required=True)
    ap.add_argument("--out", required=True)
    a = ap.parse_args()
    build(a.chmcmd, a.keys, a.work, a.out)


if __name__ == "__main__":
    main()
