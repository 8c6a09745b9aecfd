# Win32 half of the application shell: the windows, and the program itself.
# Every other source file of the folder belongs to it.
file(GLOB QM_APP_WIN_SOURCES CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp")
foreach(core IN LISTS QM_APP_CORE_SOURCES ITEMS main.cpp)
  list(REMOVE_ITEM QM_APP_WIN_SOURCES "${CMAKE_CURRENT_SOURCE_DIR}/${core}")
endforeach()
qm_library(qm_app_win SOURCES ${QM_APP_WIN_SOURCES} DEPS qm_app_core qm_ui)
target_link_libraries(qm_app_win PUBLIC winmm shell32)

# Icon made by our own script; the resource script points at it.
set(QM_ICON "${CMAKE_BINARY_DIR}/res/quillmark.ico")
add_custom_command(OUTPUT "${QM_ICON}"
  COMMAND ${CMAKE_COMMAND} -E make_directory "${CMAKE_BINARY_DIR}/res"
  COMMAND python3 "${PROJECT_SOURCE_DIR}/scripts/make_icon.py" "${QM_ICON}"
  DEPENDS "${PROJECT_SOURCE_DIR}/scripts/make_icon.py")
configure_file("${PROJECT_SOURCE_DIR}/res/quillmark.rc.in" "${CMAKE_BINARY_DIR}/res/quillmark.rc" @ONLY)
set_source_files_properties("${CMAKE_BINARY_DIR}/res/quillmark.rc" PROPERTIES
  OBJECT_DEPENDS "${QM_ICON};${PROJECT_SOURCE_DIR}/res/quillmark.manifest")

add_executable(Quillmark WIN32 main.cpp "${CMAKE_BINARY_DIR}/res/quillmark.rc")
qm_project_flags(Quillmark)
target_link_libraries(Quillmark PRIVATE qm_app_win)

# Libraries of the panes: the flip image of the version window, the LED
# counters, the file lists (listing engine, shell folder tree), the text
# control. Their folders are added after this one, so they are named here
# by generator expressions, which see every target and drop the missing.
foreach(lib qm_textview_settings_win qm_settings_win qm_flip_win qm_media_win qm_search_win qm_foldertree_win qm_textview_win qm_archive_win qm_imageview_win)
  target_link_libraries(qm_app_win PUBLIC $<TARGET_NAME_IF_EXISTS:${lib}>)
endforeach()
