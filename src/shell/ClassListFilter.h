#pragma once

// The open dialog's filter for a class list or a school's portrait index, in both places that
// ask for one. "All Files" is every file: on Windows "*.*" matches names without a dot too, here
// only "*" does.
inline constexpr char kClassListFilter[] =
    "Class lists and portrait indexes (*.csv *.txt)|*.csv;*.txt|All Files (*)|*||";
