# The command line's unattended time-lapse against the demo camera (the simulated
# camera on 127.0.0.1): three snapshots, each with its sidecar, in the current album of a
# fresh home, and exit status 0. With a camera that is not there it ends with status 1
# and says why.
# Run by CTest: cmake -DPROGRAM=... -DHOME_DIR=... -P CheckTimeLapseRun.cmake

file(REMOVE_RECURSE ${HOME_DIR})
file(MAKE_DIRECTORY ${HOME_DIR})
execute_process(COMMAND ${CMAKE_COMMAND} -E env HOME=${HOME_DIR} QT_QPA_PLATFORM=offscreen
                        ${PROGRAM} --demo --time-lapse 1 --count 3 --quit-when-done
                RESULT_VARIABLE status ERROR_VARIABLE errors TIMEOUT 100)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the time-lapse run ended with ${status}:\n${errors}")
endif()
file(GLOB pictures ${HOME_DIR}/Lumetra/*/Image/*.jpg)
file(GLOB sidecars ${HOME_DIR}/Lumetra/*/Image/*.json)
list(LENGTH pictures taken)
list(LENGTH sidecars recorded)
if(NOT taken EQUAL 3 OR NOT recorded EQUAL 3)
  message(FATAL_ERROR "expected 3 snapshots with sidecars, found ${taken} and ${recorded}:\n"
                      "${pictures}\n${sidecars}")
endif()

execute_process(COMMAND ${CMAKE_COMMAND} -E env HOME=${HOME_DIR} QT_QPA_PLATFORM=offscreen
                        ${PROGRAM} --usb-device /dev/lumetra-no-such-device --time-lapse 1
                        --count 2 --quit-when-done
                RESULT_VARIABLE status ERROR_VARIABLE errors TIMEOUT 100)
if(NOT status EQUAL 1 OR NOT errors MATCHES "Please connect USB Microscope")
  message(FATAL_ERROR "a time-lapse without a camera ended with ${status}:\n${errors}")
endif()
