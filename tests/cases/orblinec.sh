# orblinec run as an author runs it. Each line runs by itself with bash in one fresh folder, with
# orblinec on the PATH, $SAMPLE and $SAMPLE_COMMA naming the example lines and ORBLINE_PROFILE
# naming profile.ini here. What each says is compared with tests/approved/orblinec.txt.

# The sample compiled to <folder name>.zkf here, and shown.
orblinec compile -C "$SAMPLE"
orblinec dump sample.zkf
orblinec dump sample.zkf --json

# Settings come from the profile, options override them for one run, and the profile is never written.
printf '[data]\nkugiri=1\n' > profile.ini
orblinec compile -C "$SAMPLE_COMMA" -o comma.zkf
orblinec compile -C "$SAMPLE" -o tab.zkf
orblinec compile -C "$SAMPLE" -o tab.zkf --separator tab
orblinec compile -C "$SAMPLE" -o tab2.zkf --no-profile
cat profile.ini
cmp comma.zkf tab.zkf && echo the same line in both forms
rm profile.ini

# Faults, one line each: a To without its To2 is reported and compiling goes on; a missing file stops it.
cp -r "$SAMPLE" line && printf '1\t5\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\tL\tN\r\n' >> line/eki.txt
orblinec compile -C line -o out.zkf
rm line/data2.txt
orblinec compile -C line -o out2.zkf
test -e out2.zkf || echo nothing written
orblinec compile -C line --weekkind 1 -o missing/out.zkf
orblinec compile -C "$SAMPLE" --no-profile -o /dev/full
orblinec compile -C line/ --weekkind 1 -o ./line/../line/eki.txt

# check --all lists every finding, sorted, then a count; plain check stops at the first error.
cp -r "$SAMPLE" all && printf '1\t0\t0\t0\t0\t0\t0\t0\t0\t0\t100\t0\tL\tN\r\n' >> all/eki.txt && rm all/data2.txt
printf '\xE6\xB1\x90\r\n' >> all/info.txt
orblinec check --all -C all --no-profile
orblinec check -C all --no-profile
orblinec check --all -C "$SAMPLE" --no-profile
orblinec check -C "$SAMPLE" --no-profile
orblinec check --all --json -C all --no-profile

# Usage errors: the one-line error and a hint.
orblinec
orblinec build
orblinec compile extra
orblinec compile -C
orblinec compile --kugiri 4
orblinec compile --kankaku 5x
orblinec compile --frobnicate
orblinec check --separator semicolon
orblinec check --json
orblinec compile --all
orblinec check -o x.zkf
orblinec dump a.zkf b.zkf
orblinec render -o x.png
orblinec render --mode 8
orblinec render --mode 1 -o x.png --size 0x9
orblinec render -C . --mode 1 -o x.bmp
orblinec decompile a.zkf --weekkind 1
orblinec decompile x.zkf --help | head -1
orblinec dump --version
orblinec compile -C no-such-folder
orblinec check --all -C no-such-folder
orblinec check -C no-such-folder
orblinec serve --port 65536
orblinec compile --no-open
orblinec serve -C no-such-folder --no-open
printf '\x08[Zelkor]\xC8' > short.zkf && orblinec dump short.zkf

# Decompiled sources compile to the same file; the author's files are never replaced unasked.
orblinec compile -C "$SAMPLE" --no-profile --weekkind=3 -o a.zkf
orblinec decompile a.zkf -C src
ls src
orblinec compile -C src --no-profile --kugiri 0 --weekkind 3 --top 0 --30sec 1 -o b.zkf && cmp a.zkf b.zkf && echo same bytes
echo mine > src/eki.txt
orblinec decompile a.zkf -C src
cat src/eki.txt
orblinec decompile a.zkf -C src --force --kugiri 1 && head -2 src/eki.txt | iconv -f CP932 -t UTF-8
echo nonsense > bad.zkf
orblinec decompile bad.zkf -C other
test -e other || echo nothing written

# Every display as an image; a reader's fault is reported and the image still written.
orblinec render -C "$SAMPLE" --no-profile --mode 3 -o eki.png && head -c 4 eki.png | od -An -c
orblinec render -C "$SAMPLE" --no-profile --mode 4 --page 2 --grid --size 640x480 -o map.png
orblinec render -C "$SAMPLE" --no-profile --mode 5 -o diagram.svg && head -c 5 diagram.svg; echo
orblinec render -C "$SAMPLE" --no-profile --mode 3 -o eki.svg && grep -o '<rect[^>]*>' eki.svg | head -1
orblinec render -C "$SAMPLE" --no-profile --mode 7 --page=12 -o times.pdf && head -c 4 times.pdf; echo
orblinec render -C . --no-profile --mode 1 -o empty.png
test -e empty.png && echo empty.png written
