"""The real program in a real window: it opens showing the default layout's preview, fitted and
centred with the surround colour beside it; a number of images typed into the form and applied
with its Update button changes the preview; a class list applied the same way brings up the note
that the class sets the number of images."""

import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "support"))
import pyatspi  # noqa: E402
import ui_driver  # noqa: E402

SURROUND = (214, 211, 206)
CAPTION = "Version V2.453 - Montage"
CLASS_LIST_NOTE = ("A class list is in use: its size, not this number, sets the number of images. "
                   "The automatic test uses the sample images.")


def preview_box(program):
    return ui_driver.extents(program.find("Preview"))


def drawn_preview(program, box):
    """A screenshot once the preview shows a composite: the page fitted and centred, with the
    surround colour in the corners of the preview beside it and black frames on the page."""
    def probe():
        shot = ui_driver.Screenshot()
        left, top, right, bottom = box
        corners = [shot.at(left + 2, top + 2), shot.at(right - 3, bottom - 3)]
        centre = shot.at((left + right) // 2, (top + bottom) // 2)
        dark = shot.count((0, 0, 0), box, stride=2)
        return shot if corners == [SURROUND] * 2 and centre != SURROUND and dark > 100 else None
    return ui_driver.wait_for("the preview to show the composite", probe, timeout=30)


def test(executable):
    with ui_driver.Program(executable) as program:
        program.window_id(CAPTION)
        box = preview_box(program)
        before = drawn_preview(program, box)
        if os.environ.get("MONTAGE_UI_SHOTS"):
            ui_driver.Screenshot(save_as=os.environ["MONTAGE_UI_SHOTS"] + "/window.png")
        left, top, right, bottom = box
        inner = (left + 10, top + 10, right - 10, bottom - 10)

        program.set_text("Number of images (including main image)", "9")
        program.press("Update")
        after = ui_driver.wait_for(
            "the preview to change after Update",
            lambda: (lambda shot: shot if shot.differs(before, inner, stride=2) > 200 else None)(
                ui_driver.Screenshot()))
        if after.count(SURROUND, box, stride=2) == 0:
            raise ui_driver.UiError("the surround colour went missing after Update")

        # A class list typed into its field and applied: the form says that the class, not the
        # number typed above, now sets the number of images.
        class_list = os.path.join(program.scratch, "class 4B.csv")
        with open(class_list, "w", encoding="utf-8") as out:
            out.write("FirstName,LastName,Picture\nAnn,Lee,\n")
        program.set_text("Class list", class_list)
        program.press("Update")
        program.find(CLASS_LIST_NOTE, pyatspi.ROLE_LABEL, showing=True)


if __name__ == "__main__":
    ui_driver.main(test)
