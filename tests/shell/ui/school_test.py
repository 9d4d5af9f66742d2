"""A school in the real window, as a user works with it: a portrait index typed into the form's
"Class list" and applied fills the "Group" list with the school's groups; choosing another group
redraws the preview; Produce makes one composite per group into the folder typed into the
"Produce Composites" dialog, with the progress bar reaching its end and the summary shown."""

import os
import re
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "support"))
import pyatspi  # noqa: E402
import ui_driver  # noqa: E402

CAPTION = "Version V2.453 - Montage"
GROUPS = 3
PUPILS = 4
# The made-up school's five other members of staff make a group of their own after the classes.
SCHOOL_GROUPS = GROUPS + 1
GROUP_ITEM = re.compile(r"^(.+) \((\d+) pupils?\)$")
PNG_SIGNATURE = b"\x89PNG\r\n\x1a\n"


def group_names(group_list):
    """The group keys the list names as "KEY (N pupils)", once it is enabled and filled."""
    def probe():
        if not group_list.getState().contains(pyatspi.STATE_ENABLED):
            return None
        found = [GROUP_ITEM.match(item) for item in ui_driver.items(group_list)]
        if len(found) != SCHOOL_GROUPS or not all(found):
            return None
        return [match.group(1) for match in found]
    return ui_driver.wait_for("the Group list to name the school's groups", probe)


def test(executable, make_pictures):
    with ui_driver.Program(executable) as program:
        school = os.path.join(program.scratch, "school")
        subprocess.run([make_pictures, "--school", school, str(GROUPS), str(PUPILS)], check=True)
        program.window_id(CAPTION)
        box = ui_driver.extents(program.find("Preview"))
        samples = ui_driver.settled_screenshot("the preview of the samples", box)

        program.set_text("Class list", os.path.join(school, "INDEX.TXT"))
        program.press("Update")
        group_list = program.labelled("Group")
        names = group_names(group_list)
        items = ui_driver.items(group_list)
        ui_driver.wait_for("the first group chosen", lambda: group_list.name == items[0])
        first = ui_driver.settled_screenshot("the preview of the first group", box, unlike=samples)

        ui_driver.choose(group_list, items[1])
        ui_driver.settled_screenshot("the preview of the second group", box, unlike=first)
        if os.environ.get("MONTAGE_UI_SHOTS"):
            ui_driver.Screenshot(save_as=os.environ["MONTAGE_UI_SHOTS"] + "/school.png")

        program.press("Produce")
        program.find("Produce Composites", pyatspi.ROLE_DIALOG)
        out = os.path.join(program.scratch, "composites")
        program.set_text("Output folder", out)
        ui_driver.choose(program.labelled("Format"), "PNG")
        resolution = program.find("Resolution (dpi)", pyatspi.ROLE_SPIN_BUTTON).queryValue()
        resolution.currentValue = 72
        ui_driver.wait_for("the resolution to be 72 dpi", lambda: resolution.currentValue == 72)
        program.press("Start")

        progress = program.find("Progress", pyatspi.ROLE_PROGRESS_BAR).queryValue()
        ui_driver.wait_for(
            "the progress bar to reach its end",
            lambda: progress.maximumValue == progress.currentValue == SCHOOL_GROUPS)
        # The summary is a label, read by its text as a screen reader reads it.
        summary = "%d composites, %d pupils: see report.csv" % (SCHOOL_GROUPS, GROUPS * PUPILS)
        program.find(summary, pyatspi.ROLE_LABEL, showing=True)

        expected = sorted([name + ".png" for name in names] + ["report.csv"])
        made = sorted(os.listdir(out)) if os.path.isdir(out) else []
        if made != expected:
            raise ui_driver.UiError("the output folder holds %s, not %s" % (made, expected))
        for name in names:
            with open(os.path.join(out, name + ".png"), "rb") as composite:
                if composite.read(len(PNG_SIGNATURE)) != PNG_SIGNATURE:
                    raise ui_driver.UiError("%s.png is not a PNG file" % name)

        program.press("Close")
        ui_driver.wait_for("the dialog to close", lambda: not any(
            node.getRole() == pyatspi.ROLE_DIALOG and node.name == "Produce Composites"
            for node in ui_driver.walk(program.app)))


if __name__ == "__main__":
    ui_driver.main(test)
