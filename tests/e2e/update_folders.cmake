# The update folders the update tests serve, written at build time by the publisher's tool
# (tests/e2e/make_update_folders.py) into bin/update-folders/, next to the test programs.
# They are made again whenever a program they hold, the tool or a test key changes.
find_program(KELVARO_PYTHON3 python3 REQUIRED)
set(update_folders ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/update-folders)
add_custom_command(
    OUTPUT ${update_folders}/made
    COMMAND ${KELVARO_PYTHON3} ${CMAKE_CURRENT_SOURCE_DIR}/make_update_folders.py
            --out ${update_folders} --current $<TARGET_FILE:kelvaro_main>
            --served $<TARGET_FILE:kelvaro_main_served>
    DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/make_update_folders.py
            ${PROJECT_SOURCE_DIR}/tools/publish_update.py
            ${PROJECT_SOURCE_DIR}/tests/keys/update-test-only.pem
            ${PROJECT_SOURCE_DIR}/tests/keys/other-test-only.pem
            kelvaro_main kelvaro_main_served
    COMMENT "Publishing the update folders of the update tests"
    VERBATIM)
add_custom_target(kelvaro_update_folders DEPENDS ${update_folders}/made)
