# The flip image: turning geometry, card rendering and translucency are
# portable; the control is Win32.
qm_library(qm_flip SOURCES flip_image_geometry.cpp flip_image_render.cpp flip_image_blend.cpp DEPS qm_base)
if(WIN32)
  qm_library(qm_flip_win SOURCES flip_image.cpp DEPS qm_flip qm_ui)
endif()
