#!/usr/bin/env bash
# The command-line outputs the user's guide quotes, made by the program itself: every
# <pre class="sortie" data-cli="ARGS"> of docs/guide/*.html gets "$ brivane-cli ARGS" and
# what that command prints (only the lines holding one of the data-filtre texts, split
# by "|", when the block has one). Run again after a change of the calculations and
# commit the pages: a test fails while a page quotes an output the program no longer gives.
# BUILD_DIR: the build folder to use (default build/run).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build/run}
if [ ! -f "$build/build.ninja" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
fi
ninja -C "$build" -j"${JOBS:-2}" brivane-cli
CLI="$build/brivane-cli" python3 - docs/guide/*.html <<'PY'
import html, os, re, shlex, subprocess, sys
cli = os.environ["CLI"]
bloc = re.compile(r'(<pre class="sortie" data-cli="([^"]*)"(?: data-filtre="([^"]*)")?>)(.*?)(</pre>)', re.S)
def sortie(m):
    args, filtre = html.unescape(m.group(2)), m.group(3)
    r = subprocess.run([cli] + shlex.split(args), capture_output=True, text=True, env=dict(os.environ, LC_ALL="C.UTF-8"))
    if r.returncode != 0:
        sys.exit(f"brivane-cli {args}: exit {r.returncode}\n{r.stderr}")
    lignes = r.stdout.rstrip("\n").split("\n")
    if filtre:
        textes = html.unescape(filtre).split("|")
        lignes = [l for l in lignes if any(t in l for t in textes)]
    texte = "$ brivane-cli " + args + "\n" + "\n".join(lignes)
    return m.group(1) + html.escape(texte, quote=False) + m.group(5)
for page in sys.argv[1:]:
    avant = open(page, encoding="utf-8").read()
    apres = bloc.sub(sortie, avant)
    if apres != avant:
        open(page, "w", encoding="utf-8").write(apres)
        print(page)
PY
