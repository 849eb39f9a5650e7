"""Shared set-up of the module's tests: fixed creation dates, so that whole documents compare."""
import os

import pytest

os.environ["SOURCE_DATE_EPOCH"] = "0"


@pytest.fixture
def folder(tmp_path):
    """A fresh folder for the documents of one test."""
    return tmp_path
