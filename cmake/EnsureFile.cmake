# Creates FILE empty when it does not exist; an existing file is left exactly as it is.
if(NOT EXISTS "${FILE}")
  file(WRITE "${FILE}" "")
endif()
