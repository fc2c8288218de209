# Runs clang-format-14 in check mode over every C++ file of the tree; any file it would
# change fails the check, with clang-format's own report of where.
if(NOT CLANG_FORMAT)
    message(FATAL_ERROR "clang-format-14 not found (scripts/install-deps.sh installs it)")
endif()
file(GLOB_RECURSE sources LIST_DIRECTORIES false
    ${ROOT}/src/*.cpp ${ROOT}/src/*.h ${ROOT}/tools/*.cpp ${ROOT}/tools/*.h
    ${ROOT}/tests/*.cpp ${ROOT}/tests/*.h ${ROOT}/bench/*.cpp ${ROOT}/bench/*.h)
execute_process(COMMAND ${CLANG_FORMAT} --dry-run --Werror ${sources}
    RESULT_VARIABLE status ERROR_VARIABLE report)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "files that deviate from .clang-format "
                        "(clang-format-14 -i FILE mends them):\n${report}")
endif()
