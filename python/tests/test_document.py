"""The Python face of the documents: names, properties, tuples, enumerations, outputs, context manager."""
import io
import os
import pathlib

import pytest

import paginor
from paginor import (AlignmentConstants, FailureConstants, FontEffectConstants, FontNumberConstants,
                     FontStyleConstants, OrientationConstants, PaperSizeConstants)


def draw(document):
    """A small page with text, a title and figures; True when every item was accepted."""
    document.NewPage(36, 36, 36, 36, 250, 250, 240)
    document.SetFont(FontNumberConstants.Times, 14, FontStyleConstants.Bold, FontEffectConstants.Underline)
    ok = document.WriteText("Größe (1) \\ Ünïcode €", True, 4, AlignmentConstants.Center)
    document.SetFont(FontNumberConstants.Helvetica, 10, FontStyleConstants.Regular, FontEffectConstants.NoFontEffect)
    ok = document.WriteTitle("A title", AlignmentConstants.NoAlignment, paginor.BulletConstants.Square) and ok
    ok = document.WriteMultiText("word " * 300, 2, AlignmentConstants.LeftAlign, True, 300) and ok
    document.SetFillStyle(True)
    document.SetFillColor(10, 200, 30)
    ok = document.DrawRectangle(0, 500, 100, 50) and document.DrawArc(300, 600, 40, 10.5, 300) and ok
    return ok


def test_properties_and_getters_mirror_the_cpp_accessors():
    pdf = paginor.PDF()
    pdf.title = "Q3"
    pdf.SetAuthor("Ann")
    pdf.keywords = "k"
    pdf.paper_size = PaperSizeConstants.Letter
    pdf.orientation = OrientationConstants.Landscape
    assert (pdf.Title(), pdf.author, pdf.Keywords()) == ("Q3", "Ann", "k")
    assert pdf.PaperSize() is PaperSizeConstants.Letter and pdf.orientation is OrientationConstants.Landscape
    assert pdf.version == "1.2" and paginor.PS().Version() == "3.0"
    with pytest.raises(AttributeError):
        pdf.version = "1.7"
    with pytest.raises(AttributeError):
        paginor.PS().keywords = "PostScript has none"
    assert pdf.CreateInMemory()
    pdf.NewPage(10, 20, 30, 40, 1, 2, 3)
    pdf.SetColor(4, 5, 6)
    pdf.SetPosition(7, 8)
    assert pdf.GetColor() == (4, 5, 6) and pdf.GetPageColor() == (1, 2, 3)
    assert pdf.GetPosition() == (7, 8) and pdf.GetPageMargins() == (10, 20, 30, 40)
    assert pdf.GetPageDimensions() == (792, 612)
    assert pdf.GetFont() == (FontNumberConstants.Courier, 8, FontStyleConstants.Regular,
                             FontEffectConstants.NoFontEffect)
    assert isinstance(pdf.GetFont()[0], FontNumberConstants)
    assert isinstance(pdf, paginor.Document)
    with pytest.raises(TypeError):
        paginor.Document()


def test_every_output_gets_the_same_bytes(folder):
    """A path (str, bytes, PathLike), memory and file-like objects, also one taking part of each block."""
    class Trickle(io.RawIOBase):
        def __init__(self):
            self.data = bytearray()

        def writable(self):
            return True

        def write(self, block):
            taken = max(1, len(block) // 3)
            self.data += bytes(block[:taken])
            return taken

    outputs = []
    for target in (str(folder / "a.pdf"), os.fsencode(folder / "b.pdf"), folder / "c.pdf"):
        pdf = paginor.PDF()
        assert pdf.Create(target) and draw(pdf) and pdf.Flush()
        outputs.append(pathlib.Path(os.fsdecode(target)).read_bytes())
    memory = paginor.PDF()
    assert memory.CreateInMemory() and draw(memory) and memory.Flush()
    outputs.append(memory.TakeOutput())
    assert memory.TakeOutput() == b""
    for stream in (io.BytesIO(), Trickle()):
        pdf = paginor.PDF()
        assert pdf.Create(stream) and draw(pdf) and pdf.Flush()
        outputs.append(bytes(stream.getvalue() if isinstance(stream, io.BytesIO) else stream.data))
    assert outputs[0].startswith(b"%PDF-1.2") and len(set(outputs)) == 1


def test_a_write_that_raises_aborts_the_document_and_flush_raises_it(folder):
    class Failing:
        def __init__(self):
            self.calls = 0

        def write(self, block):
            self.calls += 1
            raise OSError(28, "disk full")

    for document in (paginor.PDF(), paginor.PS()):
        output = Failing()
        assert document.Create(output)
        draw(document)
        with pytest.raises(OSError, match="disk full"):
            document.Flush()
        assert document.LastFailure() is FailureConstants.OutputAborted
        assert output.calls == 1  # aborted at once: no further block is offered
        assert document.Flush() is False  # raised once; the document is gone
    with pytest.raises(OSError, match="disk full"):
        with paginor.PS() as ps:
            ps.Create(Failing())
            draw(ps)


def test_context_manager_flushes_drops_and_reports(folder):
    path = folder / "kept.ps"
    with paginor.PS() as ps:
        assert ps.Create(path)
        draw(ps)
    assert path.read_bytes().startswith(b"%!PS-Adobe-3.0") and path.read_bytes().rstrip().endswith(b"%%EOF")

    dropped = folder / "dropped.pdf"
    with pytest.raises(KeyError):
        with paginor.PDF() as pdf:
            pdf.Create(dropped)
            draw(pdf)
            raise KeyError("stop")
    assert dropped.read_bytes() == b""
    assert pdf.Flush() is False and pdf.LastFailure() is FailureConstants.NoPage
    assert pdf.CreateInMemory() and draw(pdf) and pdf.Flush()  # usable again, like a new document

    with pytest.raises(paginor.Error) as raised:
        with paginor.PDF() as full:
            full.Create("/dev/full")
            draw(full)
    assert raised.value.failure is FailureConstants.FileError and "/dev/full" in str(raised.value)

    with paginor.PDF() as flushed:  # flushed inside the block, or never created: nothing to do on leaving
        flushed.CreateInMemory()
        assert flushed.Flush()
    with paginor.PS():
        pass


def test_wrong_types_and_ranges_raise_instead_of_crashing(folder):
    pdf = paginor.PDF()
    pdf.CreateInMemory()
    pdf.NewPage(0, 0, 0, 0, 255, 255, 255)
    value_errors = [lambda: pdf.SetColor(256, 0, 0), lambda: pdf.SetColor(-1, 0, 0),
                    lambda: pdf.DrawLine(40000, 0, 0, 0), lambda: pdf.WriteText("x", True, 2 ** 70),
                    lambda: pdf.WriteText(text="x", dy=300), lambda: pdf.Create("a\0b"),
                    lambda: pdf.DrawPicture(str(folder / "x\0.bmp"))]
    type_errors = [lambda: pdf.SetColor(1.0, 0, 0), lambda: pdf.SetColor("1", 0, 0), lambda: pdf.SetColor(1, 2),
                   lambda: pdf.WriteText(None), lambda: pdf.WriteText("x", True, 2, 1),
                   lambda: pdf.WriteText("x", True, 2, FontStyleConstants.Bold),
                   lambda: pdf.SetFont(2, 10, FontStyleConstants.Bold, FontEffectConstants.NoFontEffect),
                   lambda: pdf.Create(42), lambda: pdf.WriteText("x", unknown=1), lambda: pdf.DrawArc(1, 1, 1, "a", 2),
                   lambda: paginor.SetMessageHandler(3), lambda: pdf.WriteText("\udc80")]
    for call in value_errors:
        with pytest.raises(ValueError):
            call()
    for call in type_errors:
        with pytest.raises(TypeError):
            call()
    assert pdf.DrawArc(100, 100, 50, float("nan"), 90) is False
    assert pdf.LastFailure() is FailureConstants.InvalidArgument and "DrawArc" in pdf.LastFailureMessage()
    assert pdf.WriteText("x" * 500) is False and pdf.LastFailure() is FailureConstants.DoesNotFit
    assert pdf.DrawPicture(folder / "missing.gif") is False
    assert pdf.LastFailure() is FailureConstants.PictureNotLoadable
    assert pdf.WriteText("keyword", carriagereturn=True, alignment=AlignmentConstants.RightAlign,
                         hyperlink="https://example.org/")
    assert pdf.Flush()


def test_messages_reach_the_python_handler_and_its_errors_stay_in_python(monkeypatch):
    messages, unraisable = [], []
    monkeypatch.setattr("sys.unraisablehook", unraisable.append)
    paginor.SetMessageHandler(lambda text, caption, icon: messages.append((text, caption, icon)))
    try:
        paginor.PS()
        paginor.SetFailureMessages(True)
        pdf = paginor.PDF()
        pdf.DrawLine(0, 0, 1, 1)
        paginor.SetMessageHandler(lambda *message: 1 / 0)
        paginor.PDF()
    finally:
        paginor.SetFailureMessages(False)
        paginor.SetMessageHandler(None)
    assert messages[0] == ("Initialize()", "Paginor", paginor.MessageIcon.Information)
    assert messages[-1][2] is paginor.MessageIcon.Exclamation and "DrawLine" in messages[-1][0]
    assert [type(report.exc_value) for report in unraisable] == [ZeroDivisionError]


def bmp(width, height):
    """A 24-bit BMP of a colour gradient."""
    import struct

    row = bytearray()
    for x in range(width):
        row += bytes((x * 40 % 256, 90, 200))
    row += b"\0" * (-len(row) % 4)
    pixels = bytes(row) * height
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    return header + info + pixels


def test_pictures_from_paths_in_both_formats_with_a_link_in_pdf(folder):
    picture = folder / "gradient.bmp"
    picture.write_bytes(bmp(6, 4))
    pdf, ps = paginor.PDF(), paginor.PS()
    for document in (pdf, ps):
        document.CreateInMemory()
        document.NewPage(0, 0, 0, 0, 255, 255, 255)
        document.SetPictureDimensions(60, 40)
    assert pdf.DrawPicture(picture, AlignmentConstants.Center, "https://example.org/p",
                           paginor.EncodingConstants.Flate)
    assert pdf.DrawPicture(encoding=paginor.EncodingConstants.RunLength, file=str(picture))
    assert ps.DrawPicture(os.fsencode(picture), AlignmentConstants.RightAlign, paginor.EncodingConstants.ASCIIHex)
    assert pdf.GetPosition() == (0, 8) and ps.GetPosition() == (0, 4)  # never enlarged
    assert pdf.Flush() and ps.Flush()
    document = pdf.TakeOutput()
    assert document.count(b"/Subtype /Image") == 2 and b"https://example.org/p" in document
    assert b"ASCIIHexDecode" in ps.TakeOutput()


def test_measuring_page_room_and_links_through_a_postscript_document():
    """TextWidth is WriteText's advance; PageNumber and GetSpaceLeft follow NewPage; a link is a pdfmark."""
    ps = paginor.PS()
    ps.paper_size = PaperSizeConstants.A4
    assert ps.CreateInMemory()
    assert (ps.PageNumber(), ps.GetSpaceLeft()) == (0, (0, 0))
    ps.NewPage(50, 50, 50, 50, 255, 255, 255)
    ps.SetFont(FontNumberConstants.Helvetica, 10, FontStyleConstants.Bold, FontEffectConstants.NoFontEffect)
    ps.SetPosition(20, 100)
    assert ps.GetSpaceLeft() == (595 - 100 - 20, 842 - 100 - 100 - 12)  # down to the footer band
    assert ps.PageNumber() == 1 and ps.TextWidth("") == 0
    width = ps.TextWidth("Total due 1,234.56")
    assert width > 0 and ps.WriteText("Total due 1,234.56", hyperlink="https://example.org/pay")
    assert ps.GetPosition() == (20 + width, 100)
    ps.NewPage(10, 10, 10, 10, 255, 255, 255)
    assert ps.PageNumber() == 2 and ps.GetPosition() == (0, 0) and ps.GetSpaceLeft() == (575, 810)
    assert ps.Flush()
    output = ps.TakeOutput()
    assert b"/URI (https://example.org/pay)" in output and output.count(b"/ANN pdfmark") == 1


def test_opentype_fonts_by_family_in_both_formats():
    """SetFont(family) embeds a subset in either format; an unknown family is FontNotFound."""
    pdf = paginor.PDF()
    assert pdf.CreateInMemory()
    pdf.NewPage(36, 36, 36, 36, 255, 255, 255)
    assert pdf.SetFont("DejaVu Sans", 12) and pdf.FontFamily() == "DejaVu Sans"
    assert pdf.TextWidth("Καλημέρα") > 0 and pdf.WriteText("Καλημέρα 中文", True)
    assert not pdf.SetFont("No Such Family Anywhere", 12)
    assert pdf.LastFailure() == FailureConstants.FontNotFound and pdf.FontFamily() == "DejaVu Sans"
    assert pdf.Flush()
    output = pdf.TakeOutput()
    assert b"/FontFile2" in output and b"/ToUnicode" in output
    ps = paginor.PS()
    assert ps.CreateInMemory()
    ps.NewPage(36, 36, 36, 36, 255, 255, 255)
    assert ps.SetFont("DejaVu Sans", 12) and ps.WriteText("Καλημέρα 中文", True)
    assert ps.Flush()
    output = ps.TakeOutput()
    assert b"%%BeginResource: font " in output and b"%%LanguageLevel: 2" in output


def test_compact_output_is_taken_at_create_and_smaller():
    outputs = {}
    for compact in (False, True):
        pdf = paginor.PDF()
        pdf.compact = compact
        assert pdf.Compact() is compact and pdf.CreateInMemory()
        pdf.SetCompact(not compact)  # for the next document only
        for _ in range(3):
            draw(pdf)
        assert pdf.Flush()
        outputs[compact] = pdf.TakeOutput()
    assert b"/FlateDecode" in outputs[True] and b"/FlateDecode" not in outputs[False]
    assert len(outputs[True]) * 3 < len(outputs[False])
