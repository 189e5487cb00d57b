<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>CommonThread</name>
    <message>
        <source>线程正忙！</source>
        <translation>The thread is busy!</translation>
    </message>
    <message>
        <source>thread_routine未设置！</source>
        <translation>thread_routine is not set!</translation>
    </message>
</context>
<context>
    <name>DebugUDP</name>
    <message>
        <source>目标地址无效</source>
        <translation>Invalid destination address</translation>
    </message>
</context>
<context>
    <name>DebugWayInterface</name>
    <message>
        <source>无法打开文件</source>
        <translation>Cannot open file</translation>
    </message>
    <message>
        <source>文件读取中断</source>
        <translation>File reading interrupted</translation>
    </message>
    <message>
        <source>已发送文件</source>
        <translation>File sent</translation>
    </message>
</context>
<context>
    <name>ShaderProgram</name>
    <message>
        <source>shader文件不存在</source>
        <translation>Shader file does not exist</translation>
    </message>
</context>
<context>
    <name>TextBuffer</name>
    <message>
        <source>Ansi转义码: </source>
        <translation>ANSI escape code: </translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
</context>
</TS>
