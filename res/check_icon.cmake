# Regenerates the icon from its picture and fails when the committed icon differs.
execute_process(COMMAND ${MAKE_ICON} ${PICTURE} ${OUT} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "make_icon failed (${status})")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUT} ${ICON} RESULT_VARIABLE differs)
if(differs)
    message(FATAL_ERROR "res/qUENTAro.ico is out of date: run make_icon res/icon.txt res/qUENTAro.ico")
endif()
