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
    <name>DataHub</name>
    <message>
        <source>正在保存或载入数据，请稍后再试！</source>
        <translation>A save or load is running, please try again later!</translation>
    </message>
    <message>
        <source>无数据，您需要先按照协议格式发送数据！</source>
        <translation>No data. Send data in the protocol format first!</translation>
    </message>
    <message>
        <source>数据保存成功！</source>
        <translation>Data saved!</translation>
    </message>
    <message>
        <source>已载入 </source>
        <translation>Loaded </translation>
    </message>
    <message>
        <source> 组数据</source>
        <translation> rows</translation>
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
