#! /usr/bin/env bash
# Extracts the translatable texts of the theme control core.
$XGETTEXT $(find . -name '*.cpp' -o -name '*.h' | grep -v '/autotests/') -o $podir/pexo_admin_theme_common.pot
