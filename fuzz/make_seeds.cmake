# Makes the seed corpora, one folder per harness under OUT, from the data files of a normal
# build in DATA and the hand-written seeds in HAND. Large files give only their first bytes:
# the readers stop cleanly at a cut, and small inputs let the fuzzer try more of them.
#   cmake -DDATA=build/bin -DHAND=fuzz/seeds -DOUT=build/fuzz/seeds -P make_seeds.cmake

cmake_policy(VERSION 3.25)

function(seed_copy harness)
  file(MAKE_DIRECTORY ${OUT}/${harness})
  foreach(name ${ARGN})
    get_filename_component(base ${name} NAME)
    file(COPY_FILE ${DATA}/${name} ${OUT}/${harness}/${base})
  endforeach()
endfunction()

function(seed_head harness name bytes)
  file(MAKE_DIRECTORY ${OUT}/${harness})
  execute_process(COMMAND head -c ${bytes} ${DATA}/${name} OUTPUT_FILE ${OUT}/${harness}/${name}.head RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "cannot cut ${DATA}/${name}")
  endif()
endfunction()

function(seed_extract harness archive)
  file(ARCHIVE_EXTRACT INPUT ${DATA}/${archive} DESTINATION ${OUT}/${harness} PATTERNS ${ARGN})
endfunction()

file(REMOVE_RECURSE ${OUT})
seed_head(catalog catalog.db 4096)
seed_copy(constellations constellations.txt)
seed_head(cities cities.db 8192)
seed_copy(language english.lng russian.lng)
seed_copy(bmp skins/bin/star0.bmp skins/bin/star3.bmp skins/bin/Moon.bmp)
seed_extract(image constellations.zip And.png Aps.png)
seed_extract(image map.zip 0_01.jpg)
seed_head(zip constellations.zip 9000)
seed_copy(skin skins/bin/default.skin skins/bin/splash.skin)
foreach(harness registry events options)
  file(COPY ${HAND}/${harness} DESTINATION ${OUT})
endforeach()
