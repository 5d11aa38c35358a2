"""Helpers shared by the data generators: record files, number and name forms."""

import unicodedata

# The program reads every text file with either line end; CR LF keeps the files usable by
# Windows tools as well, and is what the city list requires.
LINE_END = "\r\n"

# Letters that have no ASCII form under Unicode decomposition.
_SPECIAL_LETTERS = {
    "ß": "ss", "æ": "ae", "Æ": "AE", "ø": "o", "Ø": "O", "œ": "oe", "Œ": "OE",
    "ł": "l", "Ł": "L", "đ": "d", "Đ": "D", "ð": "d", "Ð": "D", "þ": "th", "Þ": "Th",
    "ı": "i", "ħ": "h", "Ħ": "H", "‘": "'", "’": "'", "ʻ": "'", "ʼ": "'", "`": "'",
    "–": "-", "—": "-",
}


def ascii_fold(text: str) -> str:
    """Latin text without accents: 'Zürich' -> 'Zurich'. Fails on anything left over."""
    text = "".join(_SPECIAL_LETTERS.get(ch, ch) for ch in text)
    decomposed = unicodedata.normalize("NFKD", text)
    folded = "".join(ch for ch in decomposed if not unicodedata.combining(ch))
    if not folded.isascii():
        raise ValueError(f"no ASCII form for {text!r}")
    return folded


def quoted(text: str) -> str:
    """A text field; the record format has no escape for a double quote."""
    if '"' in text:
        raise ValueError(f"double quote in text field {text!r}")
    return f'"{text}"'


def plain_number(value: float, decimals: int) -> str:
    """Shortest plain decimal form after rounding: no exponent, no trailing zeros, no '-0'."""
    text = f"{round(value, decimals):.{decimals}f}"
    if "." in text:
        text = text.rstrip("0").rstrip(".")
    return "0" if text in ("-0", "") else text


def write_records(path, records) -> None:
    """Writes one comma-separated record per line, each line ended by CR LF."""
    with open(path, "w", encoding="ascii", newline="") as out:
        for fields in records:
            out.write(",".join(fields) + LINE_END)
