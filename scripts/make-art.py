#!/usr/bin/env python3
"""Writes the program's drawings as SVG: the toolbar icons into resources/icons/ (for each icon
a normal, a hot (highlighted) and a disabled (greyed) picture), the editing cursor into
resources/cursors/, the logo and the two mode descriptions (English and Japanese) into
resources/pictures/, and the maker's logo of the About dialogs library into versionlib/about/.

All icons share one 32-unit grid, one outline weight (2 units, so 1 pixel at 16 px) and one
palette; the three states differ only in the palette, so a button never shifts when it lights
up or greys out. Edit the drawings or the palette here and run the script again.
"""
import pathlib

# Colour roles and their value in each state: normal, hot, disabled.
PALETTE = {
    "ink":     ("#22384f", "#163a63", "#9a9a9a"),
    "paper":   ("#ffffff", "#ffffff", "#f2f2f2"),
    "sky":     ("#cfe3f7", "#dcecff", "#e4e4e4"),
    "blue":    ("#3f78c2", "#2f8fff", "#bdbdbd"),
    "blueL":   ("#9cc3ef", "#b5d6ff", "#d6d6d6"),
    "amber":   ("#eeb04a", "#ffc933", "#cfcfcf"),
    "amberD":  ("#d08a1c", "#ec9f22", "#b3b3b3"),
    "green":   ("#35935a", "#1fc45e", "#b8b8b8"),
    "red":     ("#c94a42", "#ff4a3d", "#b0b0b0"),
    "tileA":   ("#33506e", "#2b5685", "#a8a8a8"),
    "tileB":   ("#7f9ab6", "#86a9d2", "#cbcbcb"),
    "tileC":   ("#e08a4a", "#ff9a4f", "#bababa"),
    "shine":   ("#ffffff", "#ffffff", "#ffffff"),
}
STATES = (("", 0), ("-hot", 1), ("-disabled", 2))

OUTLINE = 'stroke="{ink}" stroke-width="2" stroke-linejoin="round" stroke-linecap="round"'


def tiles(x, y, cell, pattern):
    """A block of mosaic cells; pattern rows name the colour role of each cell."""
    out = []
    for r, row in enumerate(pattern):
        for c, role in enumerate(row.split()):
            out.append(f'<rect x="{x + c * cell}" y="{y + r * cell}" width="{cell}" height="{cell}" '
                       f'fill="{{{role}}}"/>')
    return "".join(out)


MOSAIC = ("tileC tileA tileB", "tileB amber tileA", "tileA tileB tileC")

ICONS = {
    "open": (
        f'<path d="M3 27V7h9l3 3h12v5" fill="{{amberD}}" {OUTLINE}/>'
        f'<path d="M3 27l5-12h22l-5 12z" fill="{{amber}}" {OUTLINE}/>'
        '<path d="M9 19h15" stroke="{shine}" stroke-width="2" stroke-linecap="round" opacity="0.6"/>'
    ),
    "mode-fixed": (
        f'<rect x="3" y="5" width="26" height="22" rx="2" fill="{{sky}}" {OUTLINE}/>'
        + tiles(10, 10, 4, MOSAIC)
        + f'<rect x="9" y="9" width="14" height="14" fill="none" {OUTLINE}/>'
        '<path d="M6 8v3M6 8h3M26 8v3M26 8h-3M6 24v-3M6 24h3M26 24v-3M26 24h-3" '
        'stroke="{red}" stroke-width="2" stroke-linecap="round"/>'
    ),
    "mode-moving": (
        f'<rect x="3" y="5" width="26" height="22" rx="2" fill="{{sky}}" {OUTLINE}/>'
        + tiles(14, 10, 4, MOSAIC)
        + f'<rect x="13" y="9" width="14" height="14" fill="none" {OUTLINE}/>'
        '<path d="M6 11h5M4 15h7M6 19h5" stroke="{red}" stroke-width="2" stroke-linecap="round"/>'
    ),
    "mode-preview": (
        f'<path d="M2 16c4-6.5 8.5-9 14-9s10 2.5 14 9c-4 6.5-8.5 9-14 9S6 22.5 2 16z" '
        f'fill="{{paper}}" {OUTLINE}/>'
        '<circle cx="16" cy="16" r="7" fill="{blue}"/>'
        + tiles(12, 12, 4, ("tileA tileC", "tileC tileA"))
        + f'<circle cx="16" cy="16" r="7" fill="none" {OUTLINE}/>'
        '<circle cx="19.5" cy="12.5" r="1.5" fill="{shine}"/>'
    ),
    "save": (
        f'<path d="M5 4h18l5 5v17a2 2 0 0 1-2 2H6a2 2 0 0 1-2-2V6a2 2 0 0 1 1-2z" '
        f'fill="{{blue}}" {OUTLINE}/>'
        f'<path d="M9 4h12v7H9z" fill="{{blueL}}" {OUTLINE}/>'
        '<rect x="16" y="6" width="3" height="3" fill="{ink}"/>'
        f'<rect x="8" y="16" width="16" height="12" fill="{{paper}}" {OUTLINE}/>'
        '<path d="M11 20h10M11 24h10" stroke="{blueL}" stroke-width="2"/>'
    ),
    "first": (
        f'<rect x="5" y="8" width="4" height="16" rx="1" fill="{{blue}}" {OUTLINE}/>'
        f'<path d="M18 8v16l-8-8z" fill="{{blue}}" {OUTLINE}/>'
        f'<path d="M27 8v16l-8-8z" fill="{{blue}}" {OUTLINE}/>'
    ),
    "back": (
        f'<rect x="7" y="8" width="4" height="16" rx="1" fill="{{blue}}" {OUTLINE}/>'
        f'<path d="M24 7v18l-11-9z" fill="{{blue}}" {OUTLINE}/>'
    ),
    "play": (
        f'<path d="M9 5l18 11L9 27z" fill="{{green}}" {OUTLINE}/>'
        '<path d="M12 11v5" stroke="{shine}" stroke-width="2" stroke-linecap="round" opacity="0.6"/>'
    ),
    "stop": (
        f'<rect x="7" y="7" width="18" height="18" rx="2" fill="{{red}}" {OUTLINE}/>'
        '<path d="M11 11v5" stroke="{shine}" stroke-width="2" stroke-linecap="round" opacity="0.6"/>'
    ),
    "next": (
        f'<path d="M8 7v18l11-9z" fill="{{blue}}" {OUTLINE}/>'
        f'<rect x="21" y="8" width="4" height="16" rx="1" fill="{{blue}}" {OUTLINE}/>'
    ),
    "last": (
        f'<path d="M5 8v16l8-8z" fill="{{blue}}" {OUTLINE}/>'
        f'<path d="M14 8v16l8-8z" fill="{{blue}}" {OUTLINE}/>'
        f'<rect x="23" y="8" width="4" height="16" rx="1" fill="{{blue}}" {OUTLINE}/>'
    ),
    "deinterlace": (
        f'<rect x="3" y="5" width="26" height="22" rx="2" fill="{{sky}}" {OUTLINE}/>'
        '<path d="M6 10h7M8 14h7M6 18h7M8 22h7" stroke="{blue}" stroke-width="2"/>'
        '<path d="M19 10h7M19 14h7M19 18h7M19 22h7" stroke="{blue}" stroke-width="2"/>'
        '<path d="M15.5 12.5l2.5 3.5-2.5 3.5" fill="none" stroke="{red}" stroke-width="2" '
        'stroke-linecap="round" stroke-linejoin="round"/>'
    ),
    "quorvel": (
        '<defs><linearGradient id="g" x1="0" y1="0" x2="0" y2="1">'
        '<stop offset="0" stop-color="{blue}"/><stop offset="1" stop-color="{tileA}"/>'
        '</linearGradient></defs>'
        f'<rect x="2" y="2" width="28" height="28" rx="7" fill="url(#g)" {OUTLINE}/>'
        '<rect x="6" y="7" width="20" height="18" rx="2" fill="{sky}"/>'
        '<path d="M8 25c0-5 3.5-7 8-7s8 2 8 7z" fill="{blueL}"/>'
        + tiles(11, 8, 3.33, ("tileC amber tileC", "amber amberD amber", "tileC amber tileC"))
        + '<path d="M6 4.5h2M11 4.5h2M16 4.5h2M21 4.5h2M6 27.5h2M11 27.5h2M16 27.5h2M21 27.5h2" '
        'stroke="{shine}" stroke-width="1.5" stroke-linecap="round" opacity="0.85"/>'
    ),
}


def svg(body, state):
    colours = {role: values[state] for role, values in PALETTE.items()}
    return ('<svg xmlns="http://www.w3.org/2000/svg" width="32" height="32" viewBox="0 0 32 32">'
            + body.format(**colours) + "</svg>\n")


# The editing cursor: an arrow whose tip is pixel (3, 1), with a red-framed chequered square.
CURSOR = (
    '<svg xmlns="http://www.w3.org/2000/svg" width="32" height="32" viewBox="0 0 32 32">'
    '<path d="M3.5 1.5v19l4.5-4 3.5 7.5 2.7-1.2-3.4-7.3h6.2z" fill="#ffffff" stroke="#000000" '
    'stroke-width="1" stroke-linejoin="miter"/>'
    '<rect x="3" y="1" width="1" height="1" fill="#000000"/>'
    '<rect x="19" y="19" width="11" height="11" fill="#ffffff" stroke="#d81e1e" stroke-width="2"/>'
    + "".join(f'<rect x="{20 + 2 * c}" y="{20 + 2 * r}" width="2" height="2" fill="#303030"/>'
              for r in range(4) for c in range(4) if (r + c) % 2 == 0)
    + '</svg>\n'
)

# The logo: drawn on RGB(230, 230, 230), the colour the About box leaves transparent.
LOGO = (
    '<svg xmlns="http://www.w3.org/2000/svg" width="200" height="50" viewBox="0 0 200 50">'
    '<rect width="200" height="50" fill="#e6e6e6"/>'
    '<g transform="translate(5 5) scale(1.25)">{icon}</g>'
    '<text x="52" y="31" font-family="DejaVu Sans" font-size="25" font-weight="bold" '
    'fill="#22384f" letter-spacing="0.5">Quorvel</text>'
    '<text x="53" y="44" font-family="DejaVu Sans" font-size="9" fill="#3f78c2" '
    'letter-spacing="1.2">MOSAIC VIDEO EDITOR</text>'
    '</svg>\n'
)

# The maker's logo for the library's About dialog, on the same transparent grey.
MAKER_LOGO = (
    '<svg xmlns="http://www.w3.org/2000/svg" width="200" height="50" viewBox="0 0 200 50">'
    '<rect width="200" height="50" fill="#e6e6e6"/>'
    '<rect x="7" y="7" width="36" height="36" rx="9" fill="#22384f"/>'
    '<path d="M15 15l10 20 10-20" fill="none" stroke="#ffffff" stroke-width="5" '
    'stroke-linecap="round" stroke-linejoin="round"/>'
    '<circle cx="35" cy="35" r="4" fill="#2fb3a0"/>'
    '<text x="52" y="30" font-family="DejaVu Sans" font-size="23" font-weight="bold" '
    'fill="#2b3440">Velmarro</text>'
    '<text x="53" y="43" font-family="DejaVu Sans" font-size="9" fill="#1f8f80" '
    'letter-spacing="2.5">SOFTWARE</text>'
    '</svg>\n'
)

FONTS = {"en": "DejaVu Sans", "jp": "IPAPGothic"}

# Texts of the description pictures, three numbered lines each.
DESCRIPTION_TEXT = {
    ("fixed", "en"): ("Fixed mosaic mode",
                      ("Drag a box over what to hide.",
                       "The mosaic stays there on every frame.",
                       "Right-click an area to delete it.")),
    ("fixed", "jp"): ("固定モザイクモード",
                      ("隠したい所を左ボタンでドラッグします。",
                       "モザイクは全フレームの同じ位置に掛かります。",
                       "枠を右クリックすると削除できます。")),
    ("moving", "en"): ("Moving mosaic mode",
                       ("Hold the left button: the movie plays.",
                        "Follow the subject with the mouse.",
                        "Wheel: brush size. Right-click: correct.")),
    ("moving", "jp"): ("移動モザイクモード",
                       ("左ボタンを押している間、動画が進みます。",
                        "被写体をマウスで追いかけます。",
                        "ホイールで大きさ、右クリックで修正。")),
}


def person(x, y, opacity=1.0):
    """A figure standing with its head centred at x, y."""
    return (f'<g opacity="{opacity}">'
            f'<path d="M{x - 15} {y + 42}c0-18 6-26 15-26s15 8 15 26z" fill="#5f7fa3"/>'
            f'<circle cx="{x}" cy="{y}" r="11" fill="#f0c8a0"/></g>')


def mosaic_cells(x, y, n, cell):
    colours = ("#c98b5e", "#e2b184", "#a86d48", "#d9a274", "#8f5a3c")
    return "".join(f'<rect x="{x + c * cell}" y="{y + r * cell}" width="{cell}" height="{cell}" '
                   f'fill="{colours[(r * 3 + c * 2 + r * c) % len(colours)]}"/>'
                   for r in range(n) for c in range(n))


def scene(x, y, w, h):
    """A small movie frame: sky, hill and sun."""
    return (f'<rect x="{x}" y="{y}" width="{w}" height="{h}" fill="#cfe3f7"/>'
            f'<circle cx="{x + w - 22}" cy="{y + 20}" r="9" fill="#f8d66d"/>'
            f'<path d="M{x} {y + h * 0.72}c{w * 0.3}-{h * 0.18} {w * 0.6}-{h * 0.2} {w} -{h * 0.05}'
            f'V{y + h}H{x}z" fill="#9cc98a"/>')


def arrow_head(x, y, angle):
    """A filled arrow head with its tip at x, y, pointing at angle degrees (0 = right)."""
    return (f'<path transform="translate({x} {y}) rotate({angle})" d="M0 0l-7-4.5v9z" '
            'fill="#3f78c2"/>')


def small_cursor(x, y):
    return (f'<path transform="translate({x} {y})" d="M0 0v16l4-3.5 3 6.5 2.4-1-3-6.4h5.4z" '
            'fill="#ffffff" stroke="#000000" stroke-width="1"/>')


def fixed_figure():
    frames = "".join(
        f'<g transform="translate(170 {17 + i * 34})">'
        f'<rect x="0" y="0" width="40" height="28" fill="#cfe3f7" stroke="#22384f" stroke-width="1"/>'
        f'<path d="M1 20c12-5 24-6 38-1v8H1z" fill="#9cc98a"/>'
        f'<rect x="{14 + i * 0}" y="8" width="10" height="10" fill="#c98b5e"/>'
        f'<rect x="{14}" y="8" width="5" height="5" fill="#a86d48"/>'
        f'<rect x="19" y="13" width="5" height="5" fill="#e2b184"/>'
        f'<rect x="13.5" y="7.5" width="11" height="11" fill="none" stroke="#d81e1e" stroke-width="1"/>'
        '</g>' for i in range(3))
    return (scene(14, 14, 140, 102) + person(84, 58)
            + mosaic_cells(68, 42, 4, 8)
            + '<rect x="67.5" y="41.5" width="33" height="33" fill="none" stroke="#d81e1e" '
              'stroke-width="1.5" stroke-dasharray="4 2"/>'
            + small_cursor(100, 74)
            + '<rect x="14" y="14" width="140" height="102" fill="none" stroke="#22384f" stroke-width="2"/>'
            + '<path d="M157 65h6" stroke="#3f78c2" stroke-width="2"/>' + arrow_head(163, 65, 0)
            + '<rect x="160" y="8" width="60" height="114" fill="#33404d"/>'
            + "".join(f'<rect x="{x}" y="{12 + i * 9}" width="4" height="4" rx="1" fill="#f6f8fb"/>'
                      for i in range(12) for x in (163, 213))
            + frames)


def moving_figure():
    ghosts = person(42, 62, 0.35) + mosaic_cells(30, 50, 3, 8).replace('<rect', '<rect opacity="0.35"')
    ghosts += person(72, 52, 0.6) + mosaic_cells(60, 40, 3, 8).replace('<rect', '<rect opacity="0.6"')
    return (scene(14, 14, 140, 102) + ghosts + person(104, 44)
            + mosaic_cells(92, 32, 3, 8)
            + '<rect x="87.5" y="27.5" width="33" height="33" fill="none" stroke="#d81e1e" '
              'stroke-width="1.5"/>'
            + '<path d="M36 92C56 86 76 80 98 72" fill="none" stroke="#3f78c2" stroke-width="2" '
              'stroke-dasharray="4 3"/>' + arrow_head(100, 71, -20)
            + small_cursor(104, 44)
            + '<rect x="14" y="14" width="140" height="102" fill="none" stroke="#22384f" stroke-width="2"/>'
            # The mouse with its left button held and the wheel.
            + '<g transform="translate(178 26)">'
              '<path d="M0 22V16C0 6 6 0 17 0s17 6 17 16v26c0 10-7 18-17 18S0 52 0 42z" '
              'fill="#ffffff" stroke="#22384f" stroke-width="2"/>'
              '<path d="M1 21V16C1 7 6 1 16 1v20z" fill="#ff6b5e"/>'
              '<path d="M0 22h34M17 0v22" stroke="#22384f" stroke-width="2"/>'
              '<rect x="14" y="6" width="6" height="11" rx="3" fill="#3f78c2" stroke="#22384f"/>'
              '<path d="M17 -6v-3M14 -6l3-4 3 4" fill="none" stroke="#3f78c2" stroke-width="1.5"/>'
              '</g>')


def description(mode, language):
    title, lines = DESCRIPTION_TEXT[(mode, language)]
    figure = fixed_figure() if mode == "fixed" else moving_figure()
    text = "".join(
        f'<circle cx="20" cy="{147 + i * 19}" r="7" fill="#3f78c2"/>'
        f'<text x="20" y="{151 + i * 19}" font-size="10" font-weight="bold" fill="#ffffff" '
        f'text-anchor="middle">{i + 1}</text>'
        f'<text x="32" y="{151 + i * 19}" font-size="11" fill="#22384f">{line}</text>'
        for i, line in enumerate(lines))
    return ('<svg xmlns="http://www.w3.org/2000/svg" width="250" height="205" viewBox="0 0 250 205">'
            f'<g font-family="{FONTS[language]}">'
            '<rect width="250" height="205" fill="#f6f8fb"/>'
            + figure
            + f'<text x="14" y="132" font-size="11" font-weight="bold" fill="#3f78c2">{title}</text>'
            + text + '</g></svg>\n')


def main():
    root = pathlib.Path(__file__).resolve().parent.parent / "resources"
    icons = root / "icons"
    icons.mkdir(parents=True, exist_ok=True)
    for name, body in ICONS.items():
        for suffix, state in STATES:
            (icons / f"{name}{suffix}.svg").write_text(svg(body, state), encoding="utf-8")
    (root / "cursors").mkdir(exist_ok=True)
    (root / "cursors" / "edit.svg").write_text(CURSOR, encoding="utf-8")
    pictures = root / "pictures"
    pictures.mkdir(exist_ok=True)
    logo_icon = ICONS["quorvel"].format(**{role: values[0] for role, values in PALETTE.items()})
    (pictures / "logo.svg").write_text(LOGO.replace("{icon}", logo_icon), encoding="utf-8")
    maker = root.parent / "versionlib" / "about" / "maker-logo.svg"
    maker.write_text(MAKER_LOGO, encoding="utf-8")
    for mode, language in DESCRIPTION_TEXT:
        (pictures / f"{mode}-{language}.svg").write_text(description(mode, language), encoding="utf-8")


if __name__ == "__main__":
    main()
