# Tests of the flip image: geometry, rendering and blending natively, the
# control itself under Wine.
qm_gtest(qm_flip_tests
  SOURCES flip_image_geometry_test.cpp flip_image_render_test.cpp flip_image_blend_test.cpp
  DEPS qm_flip)
if(WIN32)
  qm_gtest(qm_flip_win_tests SOURCES flip_image_control_test.cpp DEPS qm_flip_win)
endif()
