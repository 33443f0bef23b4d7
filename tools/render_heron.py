#!/usr/bin/env python3
"""Draws the hidden picture: a grey heron standing in a lake at dusk.

The drawing is the program's own (no outside source). Writes
resources/images/images/heron.jpg; needs rsvg-convert and ImageMagick's convert.
"""
import os
import subprocess
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
TARGET = os.path.join(os.path.dirname(HERE), "resources", "images", "images", "heron.jpg")

REEDS = "".join(
    '<path d="M{x} 820 Q{c} {m} {t} {h}" stroke="#2f3b2a" stroke-width="{w}" fill="none"/>'.format(
        x=x, c=x + d, m=640 - h // 3, t=x + 2 * d, h=h, w=w)
    for x, d, h, w in [(20, 6, 520, 5), (44, -8, 560, 4), (70, 10, 600, 5), (520, -6, 540, 5),
                       (548, 8, 580, 4), (575, -10, 610, 5), (95, 4, 650, 3), (500, 5, 640, 3)])

SVG = """<svg xmlns="http://www.w3.org/2000/svg" width="600" height="820" viewBox="0 0 600 820">
<defs>
 <linearGradient id="sky" x1="0" y1="0" x2="0" y2="1">
  <stop offset="0" stop-color="#1d2b53"/><stop offset="0.45" stop-color="#7e4e79"/>
  <stop offset="0.75" stop-color="#f08a5d"/><stop offset="1" stop-color="#f9c784"/>
 </linearGradient>
 <linearGradient id="water" x1="0" y1="0" x2="0" y2="1">
  <stop offset="0" stop-color="#f4a66a"/><stop offset="0.3" stop-color="#7e4e79"/>
  <stop offset="1" stop-color="#1d2b53"/>
 </linearGradient>
 <radialGradient id="sun"><stop offset="0" stop-color="#fff4d6"/><stop offset="1" stop-color="#ffb347"/></radialGradient>
 <linearGradient id="body" x1="0" y1="0" x2="1" y2="1">
  <stop offset="0" stop-color="#a7b4c2"/><stop offset="1" stop-color="#56657a"/>
 </linearGradient>
</defs>
<rect width="600" height="560" fill="url(#sky)"/>
<circle cx="420" cy="470" r="70" fill="url(#sun)" opacity="0.95"/>
<path d="M0 520 Q120 480 240 515 T480 505 T600 512 V560 H0 Z" fill="#3b3350" opacity="0.8"/>
<rect y="560" width="600" height="260" fill="url(#water)"/>
<g stroke="#ffd9a0" stroke-width="3" opacity="0.55">
 <line x1="370" y1="585" x2="470" y2="585"/><line x1="385" y1="610" x2="455" y2="610"/>
 <line x1="395" y1="640" x2="445" y2="640"/><line x1="405" y1="675" x2="435" y2="675"/>
</g>
{reeds}
<g>
 <!-- legs, one raised -->
 <path d="M292 520 L288 690" stroke="#c9a13b" stroke-width="6" stroke-linecap="round"/>
 <path d="M306 522 L322 600 L300 612" stroke="#c9a13b" stroke-width="6" fill="none" stroke-linecap="round" stroke-linejoin="round"/>
 <ellipse cx="288" cy="700" rx="60" ry="8" fill="#ffd9a0" opacity="0.35"/>
 <!-- body and wing -->
 <path d="M200 420 Q230 350 320 360 Q380 370 392 420 Q380 500 300 530 Q230 540 200 470 Z" fill="url(#body)"/>
 <path d="M230 400 Q300 380 372 420 Q350 480 290 500 Q246 505 230 460 Z" fill="#4a586b"/>
 <path d="M372 420 Q420 470 450 540 Q400 500 360 470 Z" fill="#3c4858"/>
 <!-- neck in an S, head, crest and beak -->
 <path d="M330 372 Q300 300 330 250 Q360 205 330 170 Q318 150 330 135"
       stroke="#eef1f4" stroke-width="30" fill="none" stroke-linecap="round"/>
 <path d="M322 300 Q330 262 344 240" stroke="#2b2f36" stroke-width="4" fill="none" stroke-dasharray="6 8"/>
 <ellipse cx="334" cy="132" rx="24" ry="19" fill="#eef1f4"/>
 <path d="M318 122 Q300 112 262 124 Q300 120 320 130 Z" fill="#1f232a"/>
 <path d="M352 128 L452 150 L352 140 Z" fill="#e0b43a"/>
 <circle cx="342" cy="127" r="3.5" fill="#111"/>
</g>
<path d="M0 706 Q150 696 300 704 T600 700" stroke="#ffe0b0" stroke-width="2" opacity="0.4" fill="none"/>
</svg>
""".replace("{reeds}", REEDS)


def main():
    os.makedirs(os.path.dirname(TARGET), exist_ok=True)
    with tempfile.TemporaryDirectory() as scratch:
        png = os.path.join(scratch, "heron.png")
        subprocess.run(["rsvg-convert", "-o", png], input=SVG.encode(), check=True)
        subprocess.run(["convert", png, "-quality", "88", TARGET], check=True)


if __name__ == "__main__":
    main()
