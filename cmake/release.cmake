# The release package: both programs, the starter files and LIESMICH.txt in
# Kelvaro-<version>-win64.zip (tools/package_release.py), the programs signed first when
# a code-signing certificate and key are given. The target runs on every build; the ZIP
# comes out the same for the same inputs.
set(KELVARO_SIGN_CERT "" CACHE FILEPATH
    "Code-signing certificate (PEM) for the release; empty: the environment's KELVARO_SIGN_CERT, or unsigned")
set(KELVARO_SIGN_KEY "" CACHE FILEPATH
    "Private key (PEM) of that certificate; empty: the environment's KELVARO_SIGN_KEY")
# The packer is a Python script; a build without Python still builds the programs.
find_package(Python3 COMPONENTS Interpreter)
if(NOT Python3_Interpreter_FOUND)
    message(STATUS "No Python 3: no release ZIP target (kelvaro_release)")
    return()
endif()

set(KELVARO_RELEASE_ZIP ${CMAKE_BINARY_DIR}/Kelvaro-${PROJECT_VERSION}-win64.zip)
set(release_sign_options)
if(KELVARO_SIGN_CERT OR KELVARO_SIGN_KEY)
    set(release_sign_options --cert ${KELVARO_SIGN_CERT} --key ${KELVARO_SIGN_KEY})
endif()
add_custom_target(kelvaro_release
    COMMAND Python3::Interpreter ${PROJECT_SOURCE_DIR}/tools/package_release.py
            --version ${PROJECT_VERSION} --main $<TARGET_FILE:kelvaro_main>
            --updater $<TARGET_FILE:kelvaro_updater> --out ${KELVARO_RELEASE_ZIP}
            --work ${CMAKE_BINARY_DIR}/release-work ${release_sign_options}
    DEPENDS kelvaro_main kelvaro_updater
    COMMENT "Packing Kelvaro-${PROJECT_VERSION}-win64.zip"
    VERBATIM)
