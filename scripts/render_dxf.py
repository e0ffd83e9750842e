#!/usr/bin/python3
"""Renders a DXF drawing to PNG with ezdxf's drawing add-on (for the README).

Usage: render_dxf.py IN.dxf OUT.png
"""
import logging
import sys

import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402
import ezdxf  # noqa: E402
from ezdxf.addons.drawing import Frontend, RenderContext  # noqa: E402
from ezdxf.addons.drawing.matplotlib import MatplotlibBackend  # noqa: E402


def main() -> int:
    if len(sys.argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    # The drawing's text style names a CAD font matplotlib does not have.
    logging.getLogger("matplotlib.font_manager").setLevel(logging.ERROR)
    doc = ezdxf.readfile(sys.argv[1])
    fig = plt.figure(figsize=(12, 5))
    ax = fig.add_axes([0, 0, 1, 1])
    ctx = RenderContext(doc)
    Frontend(ctx, MatplotlibBackend(ax)).draw_layout(doc.modelspace())
    fig.savefig(sys.argv[2], dpi=110, facecolor="#202020")
    return 0


if __name__ == "__main__":
    sys.exit(main())
