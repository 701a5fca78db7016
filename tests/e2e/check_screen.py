"""Checks a 640x480 RGB screenshot against the opening scene: every 2x2 block is one
colour (the doubling), and the outer left band of nearly every work row is a row of the
towers picture (the parallax scroll; the grain darkens a few pixels a frame)."""
import sys

shot = open(sys.argv[1], "rb").read()
towers = open(sys.argv[2], "rb").read()
assert len(shot) == 640 * 480 * 3, "screenshot is not 640x480"
assert len(towers) == 320 * 240 * 3, "towers is not 320x240"

def shot_px(x, y):
    k = 3 * (y * 640 + x)
    return shot[k:k + 3]

for y in range(0, 480, 2):
    for x in range(0, 640, 2):
        p = shot_px(x, y)
        if shot_px(x + 1, y) != p or shot_px(x, y + 1) != p or shot_px(x + 1, y + 1) != p:
            sys.exit("block at %d,%d is not one colour" % (x, y))

band = 100
tower_rows = [towers[3 * 320 * r:3 * 320 * r + 3 * band] for r in range(240)]
matched = 0
for y in range(240):
    work = b"".join(shot_px(2 * x, 2 * y) for x in range(band))
    best = min(sum(work[3 * k:3 * k + 3] != row[3 * k:3 * k + 3] for k in range(band))
               for row in tower_rows)
    if best <= 3:
        matched += 1
print("rows matching the towers picture: %d of 240" % matched)
if matched < 220:
    sys.exit("too few rows match")
