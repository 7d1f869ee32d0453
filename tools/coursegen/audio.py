#!/usr/bin/env python3
"""Makes the course's recordings under a content root.

    audio.py CONTENT_ROOT [--jobs N] [--list] [--chapters 24,25]

Every word (AudioWord/wNN-MM.mp3), basic sentence (AudioSent/sNN-MM.mp3,
each dialogue row also as -hN, slow ssNN-MM.mp3 for chapters 1 and 2),
composition model answer (AudioExSent/eNN-MM.mp3; in chapters 23 to 27 the
basic sentence's recording serves its composition item) and the feedback sounds
(AudioOKNG/ok_1..5.mp3, ng_1..3.mp3) are spoken by Festival with the
HTS voice cmu_us_slt_arctic_hts and encoded by lame. A recording is made
only when its file is missing or its text or voice settings changed since
it was made (AudioManifest.txt in the content root remembers them).
--list prints what would be spoken, one "file<TAB>text" a line. --chapters
makes only those chapters' recordings (and the feedback sounds); the others
already made stay in the manifest.
"""

import argparse
import hashlib
import os
import subprocess
import sys
import tempfile
from concurrent.futures import ThreadPoolExecutor

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import shared_items  # noqa: E402
from coursegen import ROOT, Course  # noqa: E402

VOICE = "(voice_cmu_us_slt_arctic_hts)"
SLOW_TEMPO = "0.75"         # the slow recordings: 75 % speed, same pitch
SLOW_CHAPTERS = (1, 2)
SETTINGS = f"festival {VOICE}; lame -V 4; slow tempo {SLOW_TEMPO}; v1"
OK_WORDS = ["Good job!", "Great!", "Well done!", "Excellent!", "That's right!"]
NG_WORDS = ["Try again.", "Not quite.", "Almost! Try once more."]


def spoken(text):
    """The words to speak for a spelling cell: "Hello" or "a,an" -> first form."""
    return text.split(",")[0].strip()


def recordings(course):
    """[(relative path, text, kind)]: kind is plain, slow or chime-ok/chime-ng."""
    out = []
    for ch in course.chapters:
        c = f"{ch.number:02d}"
        for i, w in enumerate(ch.words, 1):
            out.append((f"AudioWord/w{c}-{i:02d}.mp3", spoken(w.spelling), "plain"))
        for number, rows in shared_items.sentence_groups(ch).items():
            base = f"{c}-{number:02d}"
            whole = " ".join(s.english for s in rows)
            out.append((f"AudioSent/s{base}.mp3", whole, "plain"))
            if ch.number in SLOW_CHAPTERS:
                out.append((f"AudioSent/ss{base}.mp3", whole, "slow"))
            for s in rows:
                if s.part:
                    out.append((f"AudioSent/s{base}-h{s.part}.mp3", s.english, "plain"))
                    if ch.number in SLOW_CHAPTERS:
                        out.append((f"AudioSent/ss{base}-h{s.part}.mp3", s.english, "slow"))
        if ch.number in shared_items.SHARED_CHAPTERS:
            continue
        for number, rows in shared_items.item_groups(ch).items():
            whole = " ".join(item.answer for item in rows)
            out.append((f"AudioExSent/e{c}-{number:02d}.mp3", whole, "plain"))
    for n, text in enumerate(OK_WORDS, 1):
        out.append((f"AudioOKNG/ok_{n}.mp3", text, "chime-ok"))
    for n, text in enumerate(NG_WORDS, 1):
        out.append((f"AudioOKNG/ng_{n}.mp3", text, "chime-ng"))
    return out


def make(root, rel, text, kind):
    path = os.path.join(root, rel)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with tempfile.TemporaryDirectory() as tmp:
        said, wav = os.path.join(tmp, "said.txt"), os.path.join(tmp, "voice.wav")
        with open(said, "w", encoding="utf-8") as f:
            f.write(text + "\n")
        run(["text2wave", "-eval", VOICE, "-o", wav, said])
        if kind == "slow":
            run(["sox", wav, os.path.join(tmp, "slow.wav"), "tempo", "-s", SLOW_TEMPO])
            wav = os.path.join(tmp, "slow.wav")
        elif kind.startswith("chime"):
            chime = os.path.join(tmp, "chime.wav")
            rate = subprocess.run(["soxi", "-r", wav], capture_output=True, text=True,
                                  check=True).stdout.strip()
            # A rising two-note chime after a right answer, a soft falling one after a wrong one.
            notes = ("pluck C6 pluck G6" if kind == "chime-ok" else "sine A4 sine F4").split()
            parts = []
            for k in range(0, len(notes), 2):
                part = os.path.join(tmp, f"n{k}.wav")
                run(["sox", "-n", "-r", rate, "-c", "1", part, "synth", "0.18", notes[k],
                     notes[k + 1], "fade", "0", "0.18", "0.12", "vol", "0.5"])
                parts.append(part)
            run(["sox"] + parts + [chime])
            both = os.path.join(tmp, "both.wav")
            run(["sox", chime, wav, both])
            wav = both
        tmp_mp3 = path + ".part"
        run(["lame", "--quiet", "-V", "4", wav, tmp_mp3])
        os.replace(tmp_mp3, path)


def run(cmd):
    done = subprocess.run(cmd, capture_output=True, text=True)
    if done.returncode != 0:
        raise RuntimeError(f"{' '.join(cmd)}: {done.stderr.strip()}")


def digest(text, kind):
    return hashlib.sha1(f"{SETTINGS}\n{kind}\n{text}".encode("utf-8")).hexdigest()[:16]


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawTextHelpFormatter)
    ap.add_argument("root")
    ap.add_argument("--course", default=os.path.join(ROOT, "course"))
    ap.add_argument("--jobs", type=int, default=2)
    ap.add_argument("--list", action="store_true")
    ap.add_argument("--chapters", help="only these chapters, e.g. 24,25 (default: all)")
    args = ap.parse_args()
    course = Course(args.course)
    if args.chapters:
        keep = {int(n) for n in args.chapters.split(",")}
        course.chapters = [c for c in course.chapters if c.number in keep]
    wanted = recordings(course)
    if args.list:
        for rel, text, kind in wanted:
            print(f"{rel}\t{text}\t{kind}")
        return 0
    manifest_path = os.path.join(args.root, "AudioManifest.txt")
    made = {}
    if os.path.exists(manifest_path):
        with open(manifest_path, encoding="utf-8") as f:
            for line in f:
                rel, _, key = line.rstrip("\n").partition("\t")
                made[rel] = key
    todo = [(rel, text, kind) for rel, text, kind in wanted
            if made.get(rel) != digest(text, kind) or not os.path.exists(os.path.join(args.root, rel))]
    print(f"audio: {len(wanted)} recordings, {len(todo)} to make")

    def job(entry):
        rel, text, kind = entry
        make(args.root, rel, text, kind)
        return rel, digest(text, kind)

    failures = 0
    with ThreadPoolExecutor(max_workers=max(1, args.jobs)) as pool:
        futures = [pool.submit(job, e) for e in todo]
        for fut in futures:
            try:
                rel, key = fut.result()
                made[rel] = key
            except RuntimeError as err:
                failures += 1
                print(f"audio: {err}", file=sys.stderr)
    os.makedirs(args.root, exist_ok=True)
    with open(manifest_path + ".part", "w", encoding="utf-8") as f:
        for rel in sorted(made):
            f.write(f"{rel}\t{made[rel]}\n")
    os.replace(manifest_path + ".part", manifest_path)
    print(f"audio: {len(todo) - failures} made, {failures} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
