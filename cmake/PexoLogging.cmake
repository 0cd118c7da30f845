# Logging categories, warnings and above by default, each listed in the
# installed pexotheme.categories file:
#
#   pexo_logging_category(<target> <header> <identifier> <category> <description>)
#
# generates <header> in the current binary directory, declaring <identifier>,
# and adds it and its source to <target>. Settings modules get theirs,
# MODULE_LOG in "modulelog.h", from pexo_add_settings_module
# (modules/CMakeLists.txt). The top-level CMakeLists.txt installs the file
# after the last directory that declares a category.

include(ECMQtDeclareLoggingCategory)

function(pexo_logging_category target header identifier category description)
    ecm_qt_declare_logging_category(${target}
        HEADER ${header}
        IDENTIFIER ${identifier}
        CATEGORY_NAME ${category}
        DEFAULT_SEVERITY Warning
        DESCRIPTION "${description}"
        EXPORT PEXOTHEME
    )
endfunction()
