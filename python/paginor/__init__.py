"""Paginor: writes PDF and PostScript documents through one small, stateful drawing interface.

The classes and enumerations carry the names of the C++ library, whose reference documents both:

    import paginor

    with paginor.PDF() as pdf:
        pdf.title = "Hello"
        pdf.Create("hello.pdf")
        pdf.NewPage(36, 36, 36, 36, 255, 255, 255)
        pdf.SetFont(paginor.FontNumberConstants.Helvetica, 12, paginor.FontStyleConstants.Regular,
                    paginor.FontEffectConstants.NoFontEffect)
        pdf.WriteText("Hello, world", True)
"""
from ._paginor import (
    AlignmentConstants,
    BulletConstants,
    Document,
    EncodingConstants,
    Error,
    FailureConstants,
    FontEffectConstants,
    FontNumberConstants,
    FontStyleConstants,
    LibraryCopyright,
    LibraryTitle,
    LibraryVersion,
    MessageIcon,
    OrientationConstants,
    PDF,
    PS,
    PaperSizeConstants,
    SetFailureMessages,
    SetMessageHandler,
    __version__,
)

__all__ = [
    "AlignmentConstants",
    "BulletConstants",
    "Document",
    "EncodingConstants",
    "Error",
    "FailureConstants",
    "FontEffectConstants",
    "FontNumberConstants",
    "FontStyleConstants",
    "LibraryCopyright",
    "LibraryTitle",
    "LibraryVersion",
    "MessageIcon",
    "OrientationConstants",
    "PDF",
    "PS",
    "PaperSizeConstants",
    "SetFailureMessages",
    "SetMessageHandler",
]
