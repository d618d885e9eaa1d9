"""Waiting with a time limit instead of sleeping blindly."""

from __future__ import annotations

import time
from typing import Callable, TypeVar

T = TypeVar("T")


def wait_until(condition: Callable[[], T], timeout: float, interval: float = 0.05,
               what: str = "condition") -> T:
    """Call `condition` until it returns something true; that value is the result."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() >= deadline:
            raise TimeoutError(f"{what} not met within {timeout} s")
        time.sleep(interval)
