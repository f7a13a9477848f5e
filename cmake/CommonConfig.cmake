# Warning flags and Qt's safety defines for every target of the project.
add_library(chenglan_config INTERFACE)
target_compile_features(chenglan_config INTERFACE cxx_std_20)
target_compile_options(chenglan_config INTERFACE -Wall -Wextra -Wpedantic)
target_compile_definitions(chenglan_config INTERFACE
    QT_NO_CAST_FROM_ASCII
    QT_NO_CAST_TO_ASCII
    QT_NO_CAST_FROM_BYTEARRAY
    QT_NO_URL_CAST_FROM_STRING
    QT_DISABLE_DEPRECATED_BEFORE=0x060400)

option(CHENGLAN_WERROR "Treat warnings as errors" OFF)
if(CHENGLAN_WERROR)
    target_compile_options(chenglan_config INTERFACE -Werror)
endif()

option(CHENGLAN_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(CHENGLAN_SANITIZE)
    target_compile_options(chenglan_config INTERFACE
        -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    target_link_options(chenglan_config INTERFACE -fsanitize=address,undefined)
endif()
