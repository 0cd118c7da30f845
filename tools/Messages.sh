#! /usr/bin/env bash
# Extracts the tools' translatable texts.
$XGETTEXT $(find common pexo-sync-user-theme pexo-set-theme pexo-admin-theme -name '*.cpp') -o $podir/pexo_admin_theme_utils.pot
