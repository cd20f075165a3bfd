<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ru">
<context>
    <name>comtest</name>
    <message>
        <location filename="../AppTexts.h" line="9"/>
        <source>Тест COM-порта</source>
        <translation>COM Port Test</translation>
    </message>
    <message>
        <location filename="../AppTexts.h" line="11"/>
        <source>Ошибка</source>
        <translation>Error</translation>
    </message>
    <message>
        <location filename="../../serialtest/SerialTestTexts.h" line="9"/>
        <source>Начать тест</source>
        <translation>Start test</translation>
    </message>
    <message>
        <location filename="../../serialtest/SerialTestTexts.h" line="10"/>
        <source>Конец теста</source>
        <translation>End test</translation>
    </message>
    <message>
        <location filename="../../serialtest/SerialTestTexts.h" line="11"/>
        <source>Выход</source>
        <translation>Exit</translation>
    </message>
    <message>
        <location filename="../../serialtest/SerialTestTexts.h" line="13"/>
        <source>Нельзя открыть порт </source>
        <translation>Cannot open port </translation>
    </message>
</context>
</TS>
