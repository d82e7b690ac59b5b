#!/usr/bin/python3
"""Check a chart program's iReal Pro importer against the invented conventions corpus.

    check.py KAZ_CLI [-v]

Imports conventions.txt, conventions-book.txt and conventions.html (next to this script) with
`KAZ_CLI import FILE --into DIR`, compiles each chart with `KAZ_CLI check --json`, reads `KAZ_CLI events`
and compares the performance with expected.json: number of played measures, the meter of each, and the
chords (root, bass, quality) at their beats, N.C. included.  [STYLE=...] lines are taken out of the imported
charts first, so that the plain block-chord voice plays one strike a chord symbol.  One line a song, then
"N passed, M failed".  -v prints the imported chart of each failing song.
"""
import json, os, re, shutil, subprocess, sys, tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
NAMES = "C Db D Eb E F Gb G Ab A Bb B".split()
TPQ = 480
# quality word -> (every tone a voicing may hold, tones it must hold), intervals above the root
Q = {
    "maj": ({0, 4, 7}, {0, 4}), "min": ({0, 3, 7}, {0, 3}), "aug": ({0, 4, 8}, {0, 4, 8}),
    "dim": ({0, 3, 6, 9}, {0, 3, 6}), "dim7": ({0, 3, 6, 9}, {0, 3, 6, 9}),
    "sus4": ({0, 5, 7}, {0, 5}), "add2": ({0, 2, 4, 7}, {0, 2, 4}),
    "maj7": ({0, 4, 7, 11}, {0, 4, 11}), "m7": ({0, 3, 7, 10}, {0, 3, 10}), "7": ({0, 4, 7, 10}, {0, 4, 10}),
    "m7b5": ({0, 3, 6, 10}, {0, 3, 6, 10}), "mMaj7": ({0, 3, 7, 11}, {0, 3, 11}),
    "7sus4": ({0, 5, 7, 10}, {0, 5, 10}), "9sus4": ({0, 2, 5, 7, 10}, {0, 2, 5, 10}),
    "6": ({0, 4, 7, 9}, {0, 4, 9}), "m6": ({0, 3, 7, 9}, {0, 3, 9}), "69": ({0, 2, 4, 7, 9}, {0, 2, 4, 9}),
    "7b9": ({0, 1, 4, 7, 10}, {0, 1, 4, 10}), "7#9": ({0, 3, 4, 7, 10}, {0, 3, 4, 10}),
    "7alt": ({0, 1, 3, 4, 6, 8, 10}, {0, 4, 10}), "7#9#5": ({0, 3, 4, 8, 10}, {0, 3, 4, 8, 10}),
    "7#5": ({0, 4, 8, 10}, {0, 4, 8, 10}), "7b13": ({0, 4, 7, 8, 10}, {0, 4, 8, 10}),
    "7#11": ({0, 2, 4, 6, 7, 10}, {0, 4, 6, 10}), "7b9#11": ({0, 1, 4, 6, 7, 10}, {0, 1, 4, 6, 10}),
    "7b9b13": ({0, 1, 4, 7, 8, 10}, {0, 1, 4, 8, 10}),
    "9": ({0, 2, 4, 7, 10}, {0, 2, 10}), "m9": ({0, 2, 3, 7, 10}, {0, 2, 10}), "maj9": ({0, 2, 4, 7, 11}, {0, 2, 11}),
    "13": ({0, 2, 4, 7, 9, 10}, {0, 9, 10}), "maj13": ({0, 2, 4, 7, 9, 11}, {0, 9, 11}),
    "m11": ({0, 2, 3, 5, 7, 10}, {0, 5, 10}), "maj7#11": ({0, 2, 4, 6, 7, 11}, {0, 4, 6, 11}),
}


def run(cmd):
    return subprocess.run(cmd, capture_output=True, text=True)


def import_file(kaz, path, into):
    r = run([kaz, "import", path, "--into", into, "--force"])
    charts = {}
    for f in sorted(os.listdir(into)) if os.path.isdir(into) else []:
        if f.endswith(".kaz"):
            p = os.path.join(into, f)
            first = open(p, encoding="utf-8", errors="replace").readline()
            title = first[2:].strip() if first.startswith("# ") else f[:-4]
            charts[title] = p
    return r, charts


def events(kaz, path):
    text = open(path, encoding="utf-8", errors="replace").read()
    plain = path[:-4] + ".plain.kaz"
    open(plain, "w", encoding="utf-8").write(re.sub(r"\[STYLE=[^\]]*\]", "", text))
    c = run([kaz, "check", "--json", plain])
    try:
        d = json.loads(c.stdout.strip().splitlines()[-1])
    except Exception:
        d = {"ok": False, "message": (c.stderr or c.stdout).strip()[:120]}
    if not d.get("ok"):
        return None, "check: %s %s" % (d.get("message", ""), ("`%s`" % d["text"]) if d.get("text") else "")
    e = run([kaz, "events", "--human-feel", "0", plain])
    if e.returncode:
        e = run([kaz, "events", plain])
    if e.returncode:
        return None, "events failed: " + e.stderr.strip()[:120]
    sigs, mlines, ons, offs, end = [], [], {}, {}, 0
    for l in e.stdout.splitlines():
        f = l.split()
        if len(f) < 2:
            continue
        t = int(f[0])
        if f[1] == "timesig":
            sigs.append((t, int(f[2]), int(f[3])))
        elif f[1] == "measure":
            mlines.append(t)
        elif f[1] == "on":
            ons.setdefault(t, []).append((int(f[2]), int(f[3])))
            offs.setdefault((int(f[2]), int(f[3])), []).append([t, None])
        elif f[1] == "off":
            for pair in offs.get((int(f[2]), int(f[3])), []):
                if pair[1] is None:
                    pair[1] = t
                    break
        elif f[1] == "end":
            end = t
    # played measures: from measure lines, or from the time signatures
    if mlines:
        starts = mlines
    else:
        starts = []
        for k, (t, n, d) in enumerate(sigs):
            nxt = sigs[k + 1][0] if k + 1 < len(sigs) else end
            L = n * 4 * TPQ // d
            x = t
            while x < nxt:
                starts.append(x)
                x += L
    meters = []
    for s in starts:
        cur = [(n, d) for t, n, d in sigs if t <= s]
        meters.append("%d/%d" % cur[-1] if cur else "?")
    strikes = {}
    for t, notes in ons.items():
        ch = sorted(k for c, k in notes if c == 0)
        bs = [k for c, k in notes if c == 1]
        if not ch and not bs:
            continue
        root = ch[0] if ch else bs[0]
        off = max((p[1] or end) for c, k in notes for p in offs[(c, k)] if p[0] == t)
        strikes[t] = dict(root=root % 12, bass=(min(bs) % 12) if bs else None,
                          set={(k - root) % 12 for k in ch}, off=off)
    return dict(starts=starts, meters=meters, strikes=strikes, end=end), None


def same(e, k):
    if e is None or k is None:
        return e is None and k is None
    if e["root"] != k["root"] or (k["bass"] is not None and e["bass"] != k["bass"]):
        return False
    full, core = Q[e["quality"]]
    if not (k["set"] <= full and core <= k["set"]):
        return False
    if e["quality"] == "7alt" and not (k["set"] & {1, 3, 6, 8}):
        return False
    return True


def name(c):
    if c is None:
        return "N.C."
    if "symbol" in c:
        return c["symbol"]
    s = NAMES[c["root"]] + "{" + ",".join(str(x) for x in sorted(c["set"])) + "}"
    if c["bass"] is not None and c["bass"] != c["root"]:
        s += "/" + NAMES[c["bass"]]
    return s


def compare(exp, got):
    problems = []
    n = exp["measures"]
    if len(got["starts"]) != n:
        problems.append("%d measures played, expected %d" % (len(got["starts"]), n))
    for i, (a, b) in enumerate(zip(exp["meters"], got["meters"])):
        if a != b:
            problems.append("measure %d in %s, expected %s" % (i + 1, b, a))
            break
    # the expected timeline in ticks
    starts, t = [], 0
    for m in exp["played"]:
        starts.append(t)
        num, den = map(int, m["meter"].split("/"))
        t += num * 4 * TPQ // den
    total = t
    timeline, points = [], set()
    for i, m in enumerate(exp["played"]):
        if "held" in m:
            points.add(starts[i])
        for c in m["chords"]:
            tick = starts[i] + int(round(c["at"] * TPQ))
            timeline.append((tick, None if c.get("nc") else c))
            points.add(tick)
    ks = got["strikes"]
    points |= {x for x in ks if x < total}
    def exp_at(x):
        st = None
        for tick, c in timeline:
            if tick <= x:
                st = c
            else:
                break
        return st
    def kaz_at(x):
        if x in ks:
            return ks[x]
        before = [y for y in ks if y < x]
        if before:
            y = max(before)
            if ks[y]["off"] > x:
                return ks[y]
        return None
    for x in sorted(points):
        e, k = exp_at(x), kaz_at(x)
        if not same(e, k):
            i = max(j for j, s in enumerate(starts) if s <= x)
            num, den = map(int, exp["played"][i]["meter"].split("/"))
            beat = (x - starts[i]) / (4 * TPQ / den) + 1
            problems.append("measure %d (written %d) beat %g: expected %s, got %s" % (
                i + 1, exp["played"][i]["written"], beat, name(e), name(k)))
            break
    if not problems and max(ks, default=0) >= total:
        problems.append("chords after the expected end (tick %d >= %d)" % (max(ks), total))
    return problems


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    kaz = sys.argv[1]
    verbose = "-v" in sys.argv[2:]
    expected = json.load(open(os.path.join(HERE, "expected.json"), encoding="utf-8"))["songs"]
    work = tempfile.mkdtemp(prefix="ireal-conventions-")
    try:
        check(kaz, verbose, expected, work)
    finally:
        shutil.rmtree(work, ignore_errors=True)


def check(kaz, verbose, expected, work):
    imported = {}
    for src in ("conventions.txt", "conventions-book.txt", "conventions.html"):
        r, charts = import_file(kaz, os.path.join(HERE, src), os.path.join(work, src.replace(".", "_")))
        imported[src] = charts
        if r.returncode:
            print("import %s: exit %d %s" % (src, r.returncode, r.stderr.strip().splitlines()[-1:] or ""))
    page_titles = {e["title"] for e in expected}
    missing = sorted(page_titles - set(imported["conventions.html"]))
    print("conventions.html: %d of %d titles imported%s" % (len(page_titles) - len(missing), len(page_titles),
          (" (missing: %s)" % "; ".join(missing)) if missing else ""))
    passed = failed = 0
    for exp in expected:
        src = exp["source"]
        tag = " [ambiguous]" if exp["ambiguous"] else ""
        path = imported[src].get(exp["title"])
        if path is None:
            problems = ["not imported from %s" % src]
        else:
            got, err = events(kaz, path)
            problems = [err] if err else compare(exp, got)
        if problems:
            failed += 1
            print("FAIL %s%s: %s" % (exp["title"], tag, "; ".join(problems)))
            if verbose and path:
                print("     cells: %s" % exp["cells"])
                for line in open(path, encoding="utf-8", errors="replace").read().splitlines():
                    print("     | " + line)
        else:
            passed += 1
            print("ok   %s%s" % (exp["title"], tag))
    print("%d passed, %d failed" % (passed, failed))


if __name__ == "__main__":
    main()
