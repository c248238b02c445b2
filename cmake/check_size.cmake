# Fails when a program outgrows its size budget. Usage: cmake -DEXE=... -DMAX_BYTES=... -P
file(SIZE ${EXE} bytes)
if(bytes GREATER MAX_BYTES)
  message(FATAL_ERROR "${EXE} is ${bytes} bytes, over its budget of ${MAX_BYTES}")
endif()
message(STATUS "${EXE}: ${bytes} of ${MAX_BYTES} bytes")
