#!/usr/bin/env python3
"""Builds the fitter's manual: docs/manual/<lang>/index.md -> OUT/<lang>/index.html.

    tools/manual-build.py SOURCE_DIR OUT_DIR

The pictures in SOURCE_DIR/img (taken by tools/manual-pictures.sh) are copied
to OUT/img, which both languages share. A page that names a picture that is
not there fails the build, so a retaken set can never leave a hole.
"""
import html
import pathlib
import re
import shutil
import sys

import markdown

LANGUAGES = {"en": "English", "pl": "Polski"}

STYLE = """
body { font-family: sans-serif; max-width: 52em; margin: 2em auto; padding: 0 1em;
       line-height: 1.5; color: #222; }
h1 { border-bottom: 2px solid #36c; padding-bottom: .3em; }
h2 { margin-top: 2em; border-bottom: 1px solid #ccc; }
img { max-width: 100%; border: 1px solid #ccc; }
table { border-collapse: collapse; }
th, td { border: 1px solid #ccc; padding: .3em .6em; text-align: left; vertical-align: top; }
code { background: #f4f4f4; padding: 0 .2em; }
nav.languages { float: right; }
.toc { background: #f8f8f8; border: 1px solid #ddd; padding: .5em 1em; }
"""


def page(lang: str, body: str, title: str) -> str:
    others = " | ".join(
        f'<a href="../{code}/index.html">{name}</a>'
        for code, name in LANGUAGES.items() if code != lang)
    return (f'<!DOCTYPE html>\n<html lang="{lang}">\n<head>\n<meta charset="utf-8">\n'
            f'<meta name="viewport" content="width=device-width, initial-scale=1">\n'
            f'<title>{html.escape(title)}</title>\n<style>{STYLE}</style>\n</head>\n<body>\n'
            f'<nav class="languages">{others}</nav>\n{body}\n</body>\n</html>\n')


def main() -> int:
    if len(sys.argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    source, out = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2])
    pictures = source / "img"
    missing = []
    for lang in LANGUAGES:
        text = (source / lang / "index.md").read_text(encoding="utf-8")
        for name in re.findall(r"!\[[^\]]*\]\(img/([^)]+)\)", text):
            if not (pictures / name).is_file():
                missing.append(f"{lang}/index.md: img/{name}")
        text = text.replace("](img/", "](../img/")
        title = next((line[2:].strip() for line in text.splitlines() if line.startswith("# ")),
                     "VEXOR")
        body = markdown.markdown(text, extensions=["toc", "tables"], output_format="html")
        target = out / lang
        target.mkdir(parents=True, exist_ok=True)
        (target / "index.html").write_text(page(lang, body, title), encoding="utf-8")
    if missing:
        print("manual-build: pictures missing:\n  " + "\n  ".join(missing), file=sys.stderr)
        return 1
    if pictures.is_dir():
        shutil.copytree(pictures, out / "img", dirs_exist_ok=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
