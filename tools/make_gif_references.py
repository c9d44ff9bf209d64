#!/usr/bin/env python3
"""Makes animated GIFs as screen recorders and ImageMagick's layer optimizer write them (partial frames,
local colour tables, every disposal mode, transparency, interlacing), and every frame of each as an
independent decoder (Pillow) composes it, for the player's GIF test. Run by the build:

    make_gif_references.py OUTPUT_FOLDER

For each NAME.gif it writes NAME.rgba: width, height and frame count (32-bit little-endian), then each
composed frame as rows of red, green, blue and alpha bytes (alpha 0 where no frame has covered a pixel).
The frames are drawn here with Pillow; ImageMagick's convert assembles and optimizes them.
"""
import os
import struct
import subprocess
import sys
import tempfile

from PIL import Image, ImageDraw


def desktop_frames(width, height, count):
    """A screen recording: a desktop gradient, a window whose progress bar grows, a text caret that types
    and a mouse pointer that wanders; most of each frame stays as it was."""
    base = Image.new("RGB", (width, height))
    pixels = base.load()
    for y in range(height):
        for x in range(width):
            pixels[x, y] = (40 + x * 150 // width, 70 + y * 120 // height, 160 + (x + y) * 90 // (width + height))
    frames = []
    for f in range(count):
        im = base.copy()
        d = ImageDraw.Draw(im)
        wx, wy, ww, wh = width // 8, height // 6, width * 5 // 8, height // 2
        d.rectangle([wx, wy, wx + ww, wy + wh], fill=(236, 233, 216), outline=(0, 84, 227))
        d.rectangle([wx, wy, wx + ww, wy + 18], fill=(0, 84, 227))
        d.rectangle([wx + 10, wy + wh - 30, wx + 10 + (ww - 20) * (f + 1) // count, wy + wh - 16],
                    fill=(50, 180, 60))
        for c in range(f % 12):   # "typed" characters
            d.rectangle([wx + 12 + c * 9, wy + 30, wx + 18 + c * 9, wy + 40], fill=(20, 20, 20))
        px, py = wx + (f * 37) % ww, wy + (f * 23) % wh
        d.polygon([(px, py), (px, py + 16), (px + 4, py + 12), (px + 11, py + 12)], fill=(255, 255, 255),
                  outline=(0, 0, 0))
        frames.append(im)
        if f % 5 == 2:
            frames.append(im.copy())   # a pause: the screen stays as it was
    return frames


def sprite(width, height, colour, seed):
    """A partly transparent sprite: a ring with a hole, in shades of one colour."""
    im = Image.new("RGBA", (width, height), (0, 0, 0, 0))
    d = ImageDraw.Draw(im)
    for i in range(4):
        shade = tuple(min(255, c + 40 * i) for c in colour) + (255,)
        d.ellipse([i * 3, i * 3, width - 1 - i * 3, height - 1 - i * 3], outline=shade, width=2)
    d.rectangle([width // 3, height // 3, width // 3 + seed % 5 + 3, height // 3 + 4], fill=colour + (255,))
    return im


def convert(args, out):
    subprocess.run(["convert"] + args + [out], check=True)


def make_gifs(work, out):
    gifs = []
    # A screen recording, optimized the usual way (partial frames over frames left in place), and again
    # with ImageMagick's optimizer that also restores areas (disposal 2 and 3), smaller and interlaced.
    frames = desktop_frames(640, 421, 20)
    names = []
    for i, im in enumerate(frames):
        names.append(os.path.join(work, "rec%02d.png" % i))
        im.save(names[-1])
    convert(["-delay", "10", "-loop", "0"] + names + ["-layers", "Optimize"], os.path.join(out, "recording.gif"))
    gifs.append("recording")
    small = []
    for i, im in enumerate(desktop_frames(200, 130, 16)):
        small.append(os.path.join(work, "small%02d.png" % i))
        im.save(small[-1])
    convert(["-delay", "10", "-loop", "0"] + small + ["-layers", "OptimizePlus", "-interlace", "Line"],
            os.path.join(out, "optimizeplus.gif"))
    gifs.append("optimizeplus")

    # Every disposal mode by hand, with transparent sprites of their own colours over a first frame whose
    # picture covers the logical screen only partly.
    colours = [(200, 30, 30), (30, 160, 40), (40, 60, 220), (220, 200, 20), (160, 40, 200), (20, 190, 190)]
    back = Image.new("RGBA", (160, 120), (0, 0, 0, 0))
    ImageDraw.Draw(back).rectangle([10, 10, 150, 100], fill=(120, 110, 90, 255))
    back_name = os.path.join(work, "back.png")
    back.save(back_name)
    args = ["-delay", "20", "-dispose", "None", "-page", "160x120+0+0", back_name]
    # Sprites left in place partly outside the first frame's picture: a new round must not show them.
    places = [(5, 5), (60, 20), (115, 75), (90, 60), (20, 70), (0, 80)]
    for i, (dispose, colour) in enumerate(zip(["Previous", "Background", "None", "Undefined", "Background",
                                               "None"], colours)):
        name = os.path.join(work, "sprite%d.png" % i)
        sprite(48, 40, colour, i).save(name)
        args += ["-dispose", dispose, "-page", "+%d+%d" % places[i], name]
    convert(args + ["-loop", "0", "+map"], os.path.join(out, "disposals.gif"))
    gifs.append("disposals")
    return gifs


def write_reference(gif, path):
    im = Image.open(gif)
    width, height = im.size
    data = bytearray(struct.pack("<III", width, height, im.n_frames))
    for i in range(im.n_frames):
        im.seek(i)
        data += im.convert("RGBA").tobytes()
    with open(path, "wb") as f:
        f.write(data)


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    with tempfile.TemporaryDirectory() as work:
        for name in make_gifs(work, out):
            write_reference(os.path.join(out, name + ".gif"), os.path.join(out, name + ".rgba"))


if __name__ == "__main__":
    main()
